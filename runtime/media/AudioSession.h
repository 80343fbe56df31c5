// The process's audio output: the default device, opened when the first sound is prepared, and the
// interruption that pauses every player while another use of the audio has it. The device is opened
// on a thread of its own, because a sound server may accept and then never answer.
#pragma once

#include <atomic>
#include <cstdint>
#include <shared_mutex>

namespace javax::microedition::media {

class AudioSession {
public:
    static constexpr int32_t INTERRUPTION_BEGINS = 1;
    static constexpr int32_t INTERRUPTION_ENDS = 0;

    // How long callers wait, in all, for the device to open.
    static constexpr int64_t OPEN_BOUND_MS = 2000;

    // Opens the default output device once; false (with one line on standard error, the first
    // time) when there is none, and the next call tries again. Waits at most until OPEN_BOUND_MS
    // after the first call; a device that has not opened by then is given up for good, silently
    // after one line, and is closed by its opener should it ever open.
    static bool initialise();
    // At the process's end, when nothing will play: the device is given up for good at once, without
    // a line, so that no caller waits for it any longer.
    static void abandonOpening();
    // An opener is still inside the audio library: the process must end without its static
    // destructors, which would tear the library down beneath it.
    static bool openerRunning();
    // Lets the device go, so that a later initialise opens it afresh (at teardown, and in tests).
    static void close();
    // Changes with every device opened: sources made for an earlier device are not touched again.
    static uint64_t generation() { return s_generation.load(std::memory_order_acquire); }

    // Held shared by every audio call and exclusively by close, so no call meets a vanishing device.
    static std::shared_mutex& deviceLock() { return s_deviceLock; }

    // Called on the UI main thread when an interruption begins (1) or ends (0): at the beginning
    // every player is paused and marked interrupted, and starts are refused until the end; nothing
    // restarts by itself. The device keeps running: with every source paused it plays silence.
    static void interruptionListenerCallback(int32_t interruptionState);
    static bool inAnInterrupt() { return in_an_interrupt.load(std::memory_order_acquire); }
    static bool isInitialised() { return initialised_audio_session.load(std::memory_order_acquire); }

private:
    static inline std::atomic<bool> initialised_audio_session{false};
    static inline std::atomic<bool> in_an_interrupt{false};
    static inline std::atomic<uint64_t> s_generation{0};
    static inline std::shared_mutex s_deviceLock;
};

}  // namespace javax::microedition::media
