// Start-up of the runtime, its tick loop, and the entry points through which the platform's
// touches, rotation and lifecycle events reach the application.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>

#include "runtime/lang/Object.h"
#include "platform/PlatformState.h"
#include "runtime/lang/Runnable.h"

// Entry points of the platform layer, all called on its UI main thread. None lets an exception
// thrown by application code escape to the platform.
void xyzLauncher();
void xyzMouseDown(int32_t x, int32_t y);
void xyzMouseDragged(int32_t x, int32_t y);
void xyzMouseUp(int32_t x, int32_t y);
void xyzKeyPressed(int32_t keyCode);
void xyzKeyReleased(int32_t keyCode);
void xyzSizeChanged();
void xyzPauseApp();
void xyzResumeApp();
void xyzDestroy();
void hookStartUp();
// 1 for both directions: the views swap with a fade.
int32_t openEGLStartStopTransition(int32_t starting);

// The per-package static set-up, tear-down and per-pass polling: each runs its hook list.
void WLlibs_staticInit();
void WLlibs_staticDestroy();
void WLlibs_tickPolling();

// The runtime's statics, the user-interface statics, the pre-start hooks (the application's
// statics), then the bitmap font; answers whether the font loaded (without it no text draws, and
// one line on standard error says so).
bool preStartMIDletSetup();
// The pre-stop hooks (media tidy-up), then the threaded-repaint tidy-up.
void preStopMIDletTearDown();
// The display's tidy-up, the post-stop hooks (the application's statics), every record store
// closed, the bitmap font's and the on-screen keyboard's statics, the runtime's statics.
void postStopMIDletTearDown();

// The tick loop and, once the MIDlet has quit, the teardown; returns 0.
int startapp_thread();

namespace launcher {

using Hook = void (*)();

// An ordered list of functions that later subsystems add themselves to, so that nobody edits the
// launcher to join start-up, teardown or polling. Reading takes no lock and allocates nothing,
// because the tick loop runs one list every pass.
class HookList {
public:
    static constexpr int32_t CAPACITY = 32;

    HookList(std::initializer_list<Hook> first);
    // Appends a hook not yet present; IllegalStateException when the list is full.
    void add(Hook hook);
    // Runs the hooks in the order added; a failing hook is reported and the rest still run.
    void runAll() const;

private:
    std::mutex m_addLock;
    // Entries below m_count are written before the count publishes them and never change.
    Hook m_hooks[CAPACITY] = {};
    std::atomic<int32_t> m_count{0};
};

// System's entries come first in the static set-up and tear-down.
HookList& staticInitHooks();
HookList& staticDestroyHooks();
HookList& tickPollingHooks();
// The application's class statics, after the runtime's set-up and before the bitmap font.
HookList& preStartHooks();
// The media manager's tidy-up and the like, before the MIDlet goes.
HookList& preStopHooks();
// The application's statics, after the display's tidy-up and before the record stores close.
HookList& postStopHooks();

// The tick loop waits at most this long between passes.
inline constexpr int64_t PASS_INTERVAL_MS = 10;

// Paces the tick loop on the monotonic clock and measures the time it credits to the screens.
class PassPacer {
public:
    using Sleeper = void (*)(int64_t millis);

    // A null sleeper sleeps the calling thread.
    explicit PassPacer(Sleeper sleeper = nullptr);

    void beginPass();
    // Monotonic milliseconds since the previous call (the first: since construction); a clock that
    // steps back credits nothing.
    int64_t takeElapsed();
    // Sleeps until PASS_INTERVAL_MS after the pass began, or less when a screen change is asked
    // for. Sleeps no longer than PASS_INTERVAL_MS in all, so a stopped test clock cannot hold it.
    void waitForNextPass();

private:
    static constexpr int64_t SLICE_MS = 2;

    Sleeper m_sleeper;
    int64_t m_passStart;
    int64_t m_lastCredit;
};

// Waits until the tick and starter threads of the last launch have ended: for tests and an orderly
// exit. The tick thread ends only after the MIDlet has quit.
void joinRuntimeThreads();
// Waits until the starter thread has created and started the MIDlet (and made any lifecycle calls
// that were asked for meanwhile).
void joinStarterThread();
// Whether some thread may still use the process's statics, so that it must end without destroying
// them: the runtime's own threads still running (a terminate gave up waiting for them), application
// threads the last teardown left running, or what a subsystem's own check says.
bool staticsStillInUse();
// Adds a subsystem's check to staticsStillInUse (the audio's device opener, for one).
void addStaticsInUseCheck(bool (*inUse)());
// For an application that cannot go on, or a stop signal: asks the program to end it as the
// platform's terminate does, on the UI thread. Returns at once, from any thread; a request made
// while no terminate is set is carried out once one is.
void askToTerminate();
// The terminate the UI thread runs when asked (posted at once when asked already); null for none.
// Called on the UI thread.
void onTerminateAsked(std::function<void()> terminate);
// For a process whose threads may still use its statics: closes the record stores, says so in one
// line, flushes every output and ends at once, running no static destructor.
[[noreturn]] void endWithoutStaticDestructors(int status);

}  // namespace launcher

// The tick thread's target.
class StubTicker : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(StubTicker, "StubTicker", java::lang::Object, java::lang::Runnable)
public:
    void run() override;

private:
};

// The starter thread's target: creates the proxy (and so the MIDlet) and starts it.
class MIDletStarter : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(MIDletStarter, "MIDletStarter", java::lang::Object, java::lang::Runnable)
public:
    void run() override;

private:
};
