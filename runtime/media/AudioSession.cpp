#include "runtime/media/AudioSession.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "runtime/media/Manager.h"

namespace javax::microedition::media {

namespace {
ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
std::atomic<bool> reportedMissingDevice{false};

// One attempt at opening the device, shared by its opener thread and the callers waiting for it.
// It lives on the heap, so that an opener outliving the process's statics never touches them.
struct Opening {
    std::mutex lock;
    std::condition_variable finishedChanged;
    std::chrono::steady_clock::time_point deadline;
    bool finished = false;
    bool abandoned = false;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

std::mutex openingLock;
std::shared_ptr<Opening> opening;
bool gaveUp = false;
std::atomic<int32_t> runningOpeners{0};

void reportOnce(const char* line) {
    if (!reportedMissingDevice.exchange(true)) std::fputs(line, stderr);
}

void openDevice(const std::shared_ptr<Opening>& attempt) {
    ALCdevice* opened = alcOpenDevice(nullptr);
    ALCcontext* made = opened ? alcCreateContext(opened, nullptr) : nullptr;
    std::unique_lock guard(attempt->lock);
    if (attempt->abandoned) {
        guard.unlock();
        if (made) alcDestroyContext(made);
        if (opened) alcCloseDevice(opened);
        return;
    }
    attempt->device = opened;
    attempt->context = made;
    attempt->finished = true;
    attempt->finishedChanged.notify_all();
}

}  // namespace

bool AudioSession::initialise() {
    if (isInitialised()) return true;
    std::shared_ptr<Opening> attempt;
    {
        std::lock_guard guard(openingLock);
        if (isInitialised()) return true;
        if (gaveUp) return false;
        if (!opening) {
            opening = std::make_shared<Opening>();
            opening->deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(OPEN_BOUND_MS);
            runningOpeners.fetch_add(1, std::memory_order_acq_rel);
            std::thread([attempt = opening] {
                openDevice(attempt);
                runningOpeners.fetch_sub(1, std::memory_order_acq_rel);
            }).detach();
        }
        attempt = opening;
    }
    {
        std::unique_lock wait(attempt->lock);
        const bool ended = attempt->finishedChanged.wait_until(
            wait, attempt->deadline, [&] { return attempt->finished || attempt->abandoned; });
        if (attempt->abandoned) return false;
        if (!ended) {
            attempt->abandoned = true;
            wait.unlock();
            std::lock_guard guard(openingLock);
            gaveUp = true;
            reportOnce(("media: the audio output device did not open within " + std::to_string(OPEN_BOUND_MS / 1000) +
                        " s; sounds stay silent\n").c_str());
            return false;
        }
    }
    std::lock_guard guard(openingLock);
    // Another caller may have taken the attempt's result already.
    if (opening != attempt) return isInitialised();
    opening = nullptr;
    ALCdevice* opened = attempt->device;
    ALCcontext* made = attempt->context;
    if (!opened) {
        reportOnce("media: no audio output device could be opened; sounds stay silent\n");
        return false;
    }
    std::unique_lock deviceGuard(s_deviceLock);
    if (!made || !alcMakeContextCurrent(made)) {
        if (made) alcDestroyContext(made);
        alcCloseDevice(opened);
        reportOnce("media: the audio output device could not be used; sounds stay silent\n");
        return false;
    }
    device = opened;
    context = made;
    s_generation.fetch_add(1, std::memory_order_acq_rel);
    initialised_audio_session.store(true, std::memory_order_release);
    return true;
}

void AudioSession::abandonOpening() {
    std::shared_ptr<Opening> attempt;
    {
        std::lock_guard guard(openingLock);
        gaveUp = true;
        attempt = opening;
    }
    if (!attempt) return;
    std::lock_guard guard(attempt->lock);
    // A device already opened is taken by its waiters, and closed with the statics.
    if (attempt->finished) return;
    attempt->abandoned = true;
    attempt->finishedChanged.notify_all();
}

bool AudioSession::openerRunning() { return runningOpeners.load(std::memory_order_acquire) > 0; }

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
