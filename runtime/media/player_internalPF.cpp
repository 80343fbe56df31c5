#include "runtime/media/player_internalPF.h"

#include <AL/al.h>

#include <limits>
#include <shared_mutex>
#include <span>

#include "runtime/media/AudioSession.h"
#include "runtime/media/SoundDecoder.h"

namespace javax::microedition::media {

player_internalPF::~player_internalPF() { destroy(); }

bool player_internalPF::hasSource() const {
    return source != 0 && deviceGeneration == AudioSession::generation();
}

bool player_internalPF::prepare() {
    const auto sound =
        SoundDecoder::decode({static_cast<const unsigned char*>(soundBytes), static_cast<size_t>(soundLength)});
    if (!sound || sound->samples.size() * sizeof(int16_t) > std::numeric_limits<ALsizei>::max()) return false;
    if (!AudioSession::initialise()) return false;
    std::shared_lock device(AudioSession::deviceLock());
    alGetError();
    ALuint newBuffer = 0;
    ALuint newSource = 0;
    alGenBuffers(1, &newBuffer);
    if (alGetError() != AL_NO_ERROR) return false;
    alBufferData(newBuffer, sound->channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, sound->samples.data(),
                 static_cast<ALsizei>(sound->samples.size() * sizeof(int16_t)), sound->sampleRate);
    if (alGetError() == AL_NO_ERROR) alGenSources(1, &newSource);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &newBuffer);
        return false;
    }
    alSourcei(newSource, AL_BUFFER, static_cast<ALint>(newBuffer));
    // The sound is heard as it was recorded, wherever a listener would stand.
    alSourcei(newSource, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(newSource, AL_ROLLOFF_FACTOR, 0.0f);
    buffer = newBuffer;
    source = newSource;
    deviceGeneration = AudioSession::generation();
    return true;
}

void player_internalPF::release() {
    if (source != 0 || buffer != 0) {
        std::shared_lock device(AudioSession::deviceLock());
        // A source of a device since closed went with it.
        if (deviceGeneration == AudioSession::generation()) {
            alSourceStop(source);
            alDeleteSources(1, &source);
            alDeleteBuffers(1, &buffer);
        }
    }
    source = 0;
    buffer = 0;
}

bool player_internalPF::setSoundData(const void* data, int64_t length) {
    std::lock_guard guard(m_lock);
    release();
    soundBytes = data;
    soundLength = length < 0 ? 0 : length;
    prepare();
    interrupted = false;
    destroyed = false;
    return true;
}

bool player_internalPF::playSoundData() {
    seekToTime(0);
    return resumePlayback();
}

bool player_internalPF::resumePlayback() {
    std::lock_guard guard(m_lock);
    if (AudioSession::inAnInterrupt()) return false;
    if (interrupted) {
        release();
        interrupted = false;
        if (!prepare()) return false;
    }
    if (!hasSource()) return false;
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return false;
    applyVolume();
    alGetError();
    alSourcePlay(source);
    // A start the device refused is a failed start.
    if (alGetError() != AL_NO_ERROR) return false;
    return true;
}

bool player_internalPF::pausePlayback() {
    std::lock_guard guard(m_lock);
    if (interrupted) return true;
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return false;
    alSourcePause(source);
    return true;
}

bool player_internalPF::hasIncompletePlaybackTask() {
    std::lock_guard guard(m_lock);
    if (AudioSession::inAnInterrupt() || interrupted) return true;
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING || state == AL_PAUSED;
}

int64_t player_internalPF::seekToTime(int64_t time) {
    if (time != 0) return 0;
    std::lock_guard guard(m_lock);
    std::shared_lock device(AudioSession::deviceLock());
    if (hasSource()) alSourceRewind(source);
    return 0;
}

bool player_internalPF::setVolume(int32_t level) {
    std::lock_guard guard(m_lock);
    volume = level < 0 || level > 100 ? NO_VOLUME : static_cast<uint16_t>(level);
    if (interrupted || AudioSession::inAnInterrupt()) return true;
    std::shared_lock device(AudioSession::deviceLock());
    if (hasSource()) applyVolume();
    return true;
}

void player_internalPF::applyVolume() {
    alSourcef(source, AL_GAIN, volume == NO_VOLUME ? 1.0f : static_cast<float>(volume) * 0.01f);
}

float player_internalPF::appliedGain() {
    std::lock_guard guard(m_lock);
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return -1.0f;
    ALfloat gain = -1.0f;
    alGetSourcef(source, AL_GAIN, &gain);
    return gain;
}

bool player_internalPF::sounding() {
    std::lock_guard guard(m_lock);
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

int64_t player_internalPF::sampleOffset() {
    std::lock_guard guard(m_lock);
    std::shared_lock device(AudioSession::deviceLock());
    if (!hasSource()) return -1;
    ALint offset = -1;
    alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    return offset;
}

int32_t player_internalPF::getVolume() {
    std::lock_guard guard(m_lock);
    return volume == NO_VOLUME ? -1 : volume;
}

void player_internalPF::destroy() {
    std::lock_guard guard(m_lock);
    release();
    destroyed = true;
}

bool player_internalPF::canBeDeleted() {
    std::lock_guard guard(m_lock);
    // Whether it was interrupted no longer matters: destroy has let everything go.
    return destroyed && source == 0;
}

void player_internalPF::interruptPause() {
    std::lock_guard guard(m_lock);
    if (interrupted) return;
    {
        std::shared_lock device(AudioSession::deviceLock());
        if (hasSource()) alSourcePause(source);
    }
    interrupted = true;
}

}  // namespace javax::microedition::media
