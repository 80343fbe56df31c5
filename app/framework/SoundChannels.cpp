#include "app/framework/SoundChannels.h"

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/Manager.h"
#include "runtime/media/Player.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/control/ToneControl.h"
#include "runtime/media/control/VolumeControl.h"
#include "runtime/text/String.h"

using java::lang::Exception;
using java::lang::jnew;
using java::lang::recastObj;
using java::lang::String;
using javax::microedition::media::AudioSession;
using javax::microedition::media::Manager;
using javax::microedition::media::Player;
using javax::microedition::media::PlayerListener;
using javax::microedition::media::control::ToneControl;
using javax::microedition::media::control::VolumeControl;

SoundChannels::SoundChannels(ResourceReader getResourceByteArray, SoundOffSetting soundOff, PlayerListener* listener)
    : m_getResourceByteArray(std::move(getResourceByteArray)), m_soundOff(std::move(soundOff)), m_listener(listener) {}

SoundChannels::~SoundChannels() = default;

// Without the lock: each load takes it itself, after the device has opened. A pause may unload
// meanwhile; the loads after it are left to the next loadSounds.
void SoundChannels::loadSounds() {
    if (m_soundOff()) return;
    const uint64_t unloads = unloadCount();
    // False once an unload has come.
    const auto load = [&](int32_t id) {
        loadSoundUnlessUnloaded(id, unloads);
        return unloadCount() == unloads;
    };
    for (int32_t id : {RESID_SOUND_ALMOST_OUT_OF_TIME, RESID_CLICK_ON_BACKGROUND, RESID_CLICK_ON_BUTTON})
        if (!load(id)) return;
    for (int32_t id = RESID_CONFIRM_SCREEN; id <= RESID_STARS2; ++id)
        if (!load(id)) return;
    std::lock_guard guard(m_lock);
    if (!m_closed && m_unloads == unloads) sounds_loaded = true;
}

uint64_t SoundChannels::unloadCount() {
    std::lock_guard guard(m_lock);
    return m_unloads;
}

void SoundChannels::unloadSounds() {
    std::lock_guard guard(m_lock);
    ++m_unloads;
    for (int32_t id : {RESID_SOUND_ALMOST_OUT_OF_TIME, RESID_CLICK_ON_BACKGROUND, RESID_CLICK_ON_BUTTON}) unloadSound(id);
    for (int32_t id = RESID_CONFIRM_SCREEN; id <= RESID_STARS2; ++id) unloadSound(id);
}

void SoundChannels::closeAll() {
    std::array<JavaPtr<Player>, CHANNELS> closing;
    {
        std::lock_guard guard(m_lock);
        m_closed = true;
        ++m_unloads;
        for (int32_t channel = 0; channel < CHANNELS; ++channel) {
            closing[channel] = std::move(sound_players[channel]);
            sound_data[channel] = nullptr;
        }
    }
    // Outside the lock: closing tells the listener, which may call back in from another thread.
    for (const JavaPtr<Player>& player : closing) {
        if (!player) continue;
        try {
            player->close();
        } catch (Exception&) {
        }
    }
}

int32_t SoundChannels::loadSound(int32_t id) { return loadSoundUnlessUnloaded(id, unloadCount()); }

int32_t SoundChannels::loadSoundUnlessUnloaded(int32_t id, uint64_t unloads) {
    if (id < 0) return -1;
    {
        std::lock_guard guard(m_lock);
        if (m_closed) return -1;
        const int32_t loaded = alreadyLoadedChannel(id);
        if (loaded != -1 && sound_data[loaded]) return loaded;
    }
    JavaPtr<JArray<signed char>> data;
    try {
        data = m_getResourceByteArray(id);
    } catch (Exception&) {
    }
    // The device is opened before the lock is taken, unless a caller holds it already.
    if (data) AudioSession::initialise();
    std::lock_guard guard(m_lock);
    if (m_closed || m_unloads != unloads) return -1;
    const int32_t loaded = alreadyLoadedChannel(id);
    // A channel unloaded earlier keeps its player; its data is read again, so that the next
    // unload finds it.
    if (loaded != -1 && sound_data[loaded]) return loaded;
    int32_t channel = loaded;
    for (int32_t i = 0; channel == -1 && i < CHANNELS; ++i)
        if (!sound_data[i] && !sound_players[i]) channel = i;
    if (channel == -1) return -1;
    if (!data) return loaded;
    sound_data[channel] = data;
    sound_channel_ids[channel] = id;
    createPlayerAndPrefetch(channel);
    return channel;
}

void SoundChannels::unloadSound(int32_t id) {
    std::lock_guard guard(m_lock);
    for (int32_t channel = 0; channel < CHANNELS; ++channel) {
        if (!sound_data[channel] || sound_channel_ids[channel] != id) continue;
        cleanUpPlayerFromChannel(channel);
        sound_data[channel] = nullptr;
    }
}

int32_t SoundChannels::alreadyLoadedChannel(int32_t id) {
    std::lock_guard guard(m_lock);
    for (int32_t channel = 0; channel < CHANNELS; ++channel)
        if (sound_channel_ids[channel] == id && (sound_data[channel] || sound_players[channel])) return channel;
    return -1;
}

const char* SoundChannels::contentTypeOf(const JavaPtr<JArray<signed char>>& data) {
    uint32_t magic = 0;
    for (int32_t i = 0; i < 4; ++i)
        magic = magic << 8 | (data && i < data->length ? static_cast<unsigned char>(data->data[i]) : 0u);
    int32_t found = 7;
    for (int32_t pair = 0; pair < 7; ++pair) {
        const auto value = static_cast<uint32_t>(sound_format_magics[2 * pair]);
        const auto mask = static_cast<uint32_t>(sound_format_magics[2 * pair + 1]);
        if ((magic & mask) == value) found = pair;
    }
    return sound_mime_types[found];
}

void SoundChannels::createPlayerAndPrefetch(int32_t channel) {
    std::lock_guard guard(m_lock);
    try {
        if (!sound_players[channel]) {
            if (!sound_data[channel]) return;
            auto stream = jnew<java::io::ByteArrayInputStream>(sound_data[channel]);
            sound_players[channel] = Manager::createPlayer(stream, jnew<String>(contentTypeOf(sound_data[channel])));
            if (m_listener) sound_players[channel]->addPlayerListener(JavaPtr<PlayerListener>(m_listener));
        }
        prefetchWithinLimit(channel);
    } catch (Exception&) {
    }
}

int32_t SoundChannels::stateOf(int32_t channel) {
    return sound_players[channel] ? sound_players[channel]->getState() : -1;
}

bool SoundChannels::prefetchWithinLimit(int32_t channel) {
    const int32_t state = stateOf(channel);
    if (state == -1) return false;
    if (state == Player::PREFETCHED || state == Player::STARTED) return true;
    // Room is made by a player that is prefetched but not playing (the smallest priority, then the
    // lowest channel): preparing a sound never cuts one that plays; playResumeSound has already
    // stopped one when the new sound may take its place.
    int32_t count = 0;
    int32_t victim = -1;
    for (int32_t other = 0; other < CHANNELS; ++other) {
        const int32_t otherState = stateOf(other);
        if (other == channel || (otherState != Player::PREFETCHED && otherState != Player::STARTED)) continue;
        ++count;
        if (otherState == Player::PREFETCHED &&
            (victim == -1 || sound_priorities[other] < sound_priorities[victim]))
            victim = other;
    }
    if (count >= PARAM_WL_SOUND_JSR135_MAX_PREFETCHED_PLAYERS) {
        if (victim == -1) {
            cleanUpPlayerFromChannel(channel);
            return false;
        }
        cleanUpPlayerFromChannel(victim);
    }
    sound_players[channel]->prefetch();
    return true;
}

void SoundChannels::playSound(int32_t id, int32_t priority, int32_t loops) {
    if (id == -1 || m_soundOff()) return;
    _FuSeD_mThD_1_playSound(id, priority, loops);
}

void SoundChannels::_FuSeD_mThD_1_playSound(int32_t id, int32_t priority, int32_t loops) {
    playResumeSound(id, priority, loops, false);
}

bool SoundChannels::resumeSound(int32_t id) { return playResumeSound(id, -1, -1, true); }

bool SoundChannels::playResumeSound(int32_t id, int32_t priority, int32_t loops, bool resume) {
    if (id < 0) return false;
    std::lock_guard guard(m_lock);
    if (resume) {
        const int32_t loaded = alreadyLoadedChannel(id);
        if (loaded == -1) return false;
        priority = sound_priorities[loaded];
    }
    const int32_t channel = loadSound(id);
    if (channel == -1) return false;
    // Among the other playing sounds: the one of smallest priority not above this one's.
    int32_t playing = 0;
    int32_t victim = -1;
    for (int32_t other = 0; other < CHANNELS; ++other) {
        if (other == channel || stateOf(other) != Player::STARTED) continue;
        ++playing;
        if (sound_priorities[other] <= priority && (victim == -1 || sound_priorities[other] < sound_priorities[victim]))
            victim = other;
    }
    if (playing >= PARAM_WL_SOUND_AUDIO_MAX_CONCURRENT_CHANNELS) {
        if (victim == -1) return false;
        stopSoundChannel(victim);
    }
    createPlayerAndPrefetch(channel);
    sound_priorities[channel] = priority;
    if (!resume) sound_loop_counts[channel] = loops == 0 ? -1 : loops;
    const JavaPtr<Player> player = sound_players[channel];
    if (!player) return false;
    try {
        if (player->getState() == Player::STARTED) player->stop();
        player->setLoopCount(sound_loop_counts[channel]);
    } catch (Exception&) {
        return false;
    }
    // A failed volume or rewind still lets the sound start.
    try {
        applyVolume(player);
    } catch (Exception&) {
    }
    try {
        if (!resume) player->setMediaTime(0);
    } catch (Exception&) {
    }
    try {
        player->start();
    } catch (Exception&) {
        return false;
    }
    return true;
}

void SoundChannels::pauseSound(int32_t id) { stopSound(id); }

void SoundChannels::stopSound(int32_t id) {
    std::lock_guard guard(m_lock);
    for (int32_t channel = 0; channel < CHANNELS; ++channel)
        if (sound_players[channel] && sound_channel_ids[channel] == id) stopSoundChannel(channel);
}

void SoundChannels::stopAllSounds() {
    std::lock_guard guard(m_lock);
    for (int32_t channel = 0; channel < CHANNELS; ++channel) stopSoundChannel(channel);
}

// The loop count stays, so that resuming goes on as the sound was started.
void SoundChannels::stopSoundChannel(int32_t channel) {
    std::lock_guard guard(m_lock);
    if (!sound_players[channel]) return;
    try {
        sound_players[channel]->stop();
    } catch (Exception&) {
    }
}

void SoundChannels::cleanUpPlayerFromChannel(int32_t channel) {
    std::lock_guard guard(m_lock);
    if (!sound_players[channel]) return;
    try {
        sound_players[channel]->deallocate();
    } catch (Exception&) {
    }
}

void SoundChannels::applyVolume(const JavaPtr<Player>& player) {
    auto control = recastObj<VolumeControl>(player->getControl(jnew<String>("VolumeControl")));
    if (control) control->setLevel(sound_volume);
}

void SoundChannels::setVolume(int32_t level) {
    std::lock_guard guard(m_lock);
    sound_volume = level;
    for (int32_t channel = 0; channel < CHANNELS; ++channel) {
        if (stateOf(channel) != Player::STARTED) continue;
        try {
            applyVolume(sound_players[channel]);
        } catch (Exception&) {
        }
    }
}

// The tone locator names no file, so this ends in the IOException that createPlayer answers.
void SoundChannels::beep() {
    try {
        JavaPtr<Player> player = Manager::createPlayer(Manager::TONE_DEVICE_LOCATOR);
        player->realize();
        auto tone = recastObj<ToneControl>(player->getControl(jnew<String>("ToneControl")));
        auto sequence = jnew<JArray<signed char>>(6);
        const signed char notes[6] = {ToneControl::VERSION, 1, ToneControl::TEMPO, 30, ToneControl::C4, 8};
        for (int32_t i = 0; i < 6; ++i) sequence->data[i] = notes[i];
        if (tone) tone->setSequence(sequence);
        player->start();
    } catch (Exception&) {
    }
}

JavaPtr<Player> SoundChannels::playerOf(int32_t channel) {
    std::lock_guard guard(m_lock);
    return sound_players.at(channel);
}

bool SoundChannels::hasData(int32_t channel) {
    std::lock_guard guard(m_lock);
    return sound_data.at(channel) != nullptr;
}

int32_t SoundChannels::idOf(int32_t channel) {
    std::lock_guard guard(m_lock);
    return sound_channel_ids.at(channel);
}
