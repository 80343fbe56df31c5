#include "runtime/media/AudioSession.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdio>
#include <mutex>

#include "runtime/media/Manager.h"

namespace javax::microedition::media {

namespace {
ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
std::atomic<bool> reportedMissingDevice{false};
}  // namespace

bool AudioSession::initialise() {
    if (isInitialised()) return true;
    std::unique_lock guard(s_deviceLock);
    if (isInitialised()) return true;
    device = alcOpenDevice(nullptr);
    if (!device) {
        if (!reportedMissingDevice.exchange(true))
            std::fputs("media: no audio output device could be opened; sounds stay silent\n", stderr);
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        context = nullptr;
        device = nullptr;
        if (!reportedMissingDevice.exchange(true))
            std::fputs("media: the audio output device could not be used; sounds stay silent\n", stderr);
        return false;
    }
    s_generation.fetch_add(1, std::memory_order_acq_rel);
    initialised_audio_session.store(true, std::memory_order_release);
    return true;
}

void AudioSession::close() {
    std::unique_lock guard(s_deviceLock);
    if (!isInitialised()) return;
    initialised_audio_session.store(false, std::memory_order_release);
    s_generation.fetch_add(1, std::memory_order_acq_rel);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

void AudioSession::interruptionListenerCallback(int32_t interruptionState) {
    if (interruptionState == INTERRUPTION_BEGINS) {
        in_an_interrupt.store(true, std::memory_order_release);
        Manager::pauseAllSounds();
    } else if (interruptionState == INTERRUPTION_ENDS) {
        in_an_interrupt.store(false, std::memory_order_release);
    }
}

}  // namespace javax::microedition::media
