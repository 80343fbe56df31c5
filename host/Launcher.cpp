#include "host/Launcher.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "host/MIDlet.h"
#include "host/ProxyMIDlet.h"
#include "platform/UiThread.h"
#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Displayable.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/OpenGLBackEnd.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"

using java::lang::jnew;
using java::lang::runGuarded;
using java::lang::Thread;
using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;
using javax::microedition::midlet::MIDlet;

namespace {

enum class AppState { NotStarted, Active, Paused };

// The MIDlet's lifecycle. Calls into the application are made by one thread at a time, outside the
// lock: a request that arrives meanwhile is only recorded here, and the thread already calling in
// carries it out when its call returns. So the UI thread never waits for application code, and a
// request made before the MIDlet exists is kept until it does.
std::mutex lifecycleLock;
JavaPtr<ProxyMIDlet> myMidlet;
AppState appState = AppState::NotStarted;
int32_t pendingDestroys = 0;
bool driving = false;

std::atomic<bool> launched{false};
std::atomic<int32_t> threadsOutlivingTearDown{0};

std::mutex threadsLock;
JavaPtr<Thread> tickThread;
JavaPtr<Thread> starterThread;

// Asked from any thread (a stop signal's watcher, an application that cannot go on); the terminate
// itself is touched on the UI thread only.
std::atomic<bool> terminateAsked{false};
std::function<void()> terminateWhenAsked;

void runAskedTerminate() {
    if (terminateWhenAsked && terminateAsked.load()) terminateWhenAsked();
}

std::mutex inUseChecksLock;
std::vector<bool (*)()>& inUseChecks() {
    static std::vector<bool (*)()> checks;
    return checks;
}

enum class Action { Start, Pause, Destroy };

// Brings the MIDlet to the state the platform last asked for, one call at a time.
void driveLifecycle() {
    {
        std::lock_guard guard(lifecycleLock);
        if (driving || !myMidlet) return;
        driving = true;
    }
    for (;;) {
        JavaPtr<ProxyMIDlet> proxy;
        Action action;
        {
            std::lock_guard guard(lifecycleLock);
            const bool wantActive = !Displayable::isInterrupted.load();
            if (!myMidlet) {
                driving = false;
                return;
            }
            if (pendingDestroys > 0) {
                --pendingDestroys;
                action = Action::Destroy;
                appState = AppState::Paused;
            } else if (wantActive && appState != AppState::Active) {
                action = Action::Start;
                appState = AppState::Active;
            } else if (!wantActive && appState == AppState::Active) {
                action = Action::Pause;
                appState = AppState::Paused;
            } else {
                driving = false;
                return;
            }
            proxy = myMidlet;
        }
        runGuarded([&] {
            switch (action) {
                case Action::Start: proxy->startApp(); break;
                case Action::Pause: proxy->pauseApp(); break;
                case Action::Destroy: proxy->destroyApp(false); break;
            }
            // The proxy's last reference may go here, and with it the application's MIDlet.
            proxy = nullptr;
        });
    }
}

template <class Call>
void toCurrentCanvas(Call&& call) {
    runGuarded([&] {
        if (JavaPtr<Canvas> canvas = Display::currentCanvas()) call(*canvas);
    });
}

void runPass(launcher::PassPacer& pacer, bool& shown, bool& handedOver) {
    if (!shown) {
        if (JavaPtr<Canvas> canvas = Display::currentCanvas()) {
            // Set first, so that a failing showNotify is not retried every pass.
            shown = true;
            runGuarded([&] { canvas->showNotify(); });
        }
    }
    Thread::yield();
    if (!handedOver) {
        if (JavaPtr<Displayable> displayable = Display::currentDisplayable()) {
            displayable->setGraphicsField(Display::getMasterGraphics());
            handedOver = true;
        }
    }
    const int64_t elapsed = pacer.takeElapsed();
    runGuarded([&] { javax::microedition::lcdui::LCDUI_tickLCDUI(elapsed); });
    WLlibs_tickPolling();
}

void sleepFor(int64_t millis) { std::this_thread::sleep_for(std::chrono::milliseconds(millis)); }

// The application's own threads may still be in their last pass after the MIDlet has quit; the
// statics they use go in the post-stop tear-down, so wait for them first, within a bound.
void waitForApplicationThreads() {
    constexpr int64_t graceMillis = 2000;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMillis);
    // Only the tick thread itself may still be running.
    while (Thread::numRunningThreads() > 1 && std::chrono::steady_clock::now() < deadline) sleepFor(2);
    const int32_t left = Thread::numRunningThreads() - 1;
    threadsOutlivingTearDown.store(left > 0 ? left : 0, std::memory_order_release);
    if (left > 0) std::fprintf(stderr, "teardown: %d application thread(s) still running\n", left);
}

void tearDown() {
    runGuarded(preStopMIDletTearDown);
    JavaPtr<ProxyMIDlet> proxy;
    {
        std::lock_guard guard(lifecycleLock);
        proxy = std::move(myMidlet);
        appState = AppState::NotStarted;
        pendingDestroys = 0;
    }
    // Outside the lock: releasing the proxy runs the application MIDlet's destructor.
    runGuarded([&] { proxy = nullptr; });
    waitForApplicationThreads();
    if (threadsOutlivingTearDown.load(std::memory_order_acquire) > 0) {
        // A thread still running may use any of the runtime's statics: they stay, and the process
        // ends without destroying them. Only the stores are closed, so that nothing saved is lost.
        runGuarded(javax::microedition::rms::RecordStore::closeAllRecordStores);
    } else {
        postStopMIDletTearDown();
    }
    launched.store(false);
}

}  // namespace

namespace launcher {

HookList::HookList(std::initializer_list<Hook> first) {
    for (Hook hook : first) add(hook);
}

void HookList::add(Hook hook) {
    if (!hook) return;
    std::lock_guard guard(m_addLock);
    const int32_t count = m_count.load(std::memory_order_relaxed);
    for (int32_t i = 0; i < count; ++i)
        if (m_hooks[i] == hook) return;
    if (count == CAPACITY) throw java::lang::IllegalStateException("HookList: full");
    m_hooks[count] = hook;
    m_count.store(count + 1, std::memory_order_release);
}

void HookList::runAll() const {
    const int32_t count = m_count.load(std::memory_order_acquire);
    for (int32_t i = 0; i < count; ++i) runGuarded(m_hooks[i]);
}

HookList& staticInitHooks() {
    static HookList hooks{&java::lang::System::System_staticInit};
    return hooks;
}

HookList& staticDestroyHooks() {
    static HookList hooks{&java::lang::System::System_staticDestroy, &Display::Display_staticDestroy};
    return hooks;
}

HookList& tickPollingHooks() {
    static HookList hooks{};
    return hooks;
}

HookList& preStartHooks() {
    static HookList hooks{};
    return hooks;
}

HookList& preStopHooks() {
    static HookList hooks{};
    return hooks;
}

HookList& postStopHooks() {
    static HookList hooks{};
    return hooks;
}


PassPacer::PassPacer(Sleeper sleeper)
    : m_sleeper(sleeper ? sleeper : &sleepFor),
      m_passStart(java::lang::clocks::monotonicMillis()),
      m_lastCredit(m_passStart) {}

void PassPacer::beginPass() { m_passStart = java::lang::clocks::monotonicMillis(); }

int64_t PassPacer::takeElapsed() {
    const int64_t now = java::lang::clocks::monotonicMillis();
    const int64_t elapsed = std::max<int64_t>(now - m_lastCredit, 0);
    m_lastCredit = now;
    return elapsed;
}

void PassPacer::waitForNextPass() {
    int64_t slept = 0;
    // Short slices, so that a screen change asked for meanwhile is shown without a full wait.
    while (slept < PASS_INTERVAL_MS) {
        if (Display::setCurrentRequested.load(std::memory_order_relaxed)) return;
        const int64_t remaining = m_passStart + PASS_INTERVAL_MS - java::lang::clocks::monotonicMillis();
        if (remaining <= 0) return;
        const int64_t slice = std::min({remaining, SLICE_MS, PASS_INTERVAL_MS - slept});
        m_sleeper(slice);
        slept += slice;
    }
}

void joinRuntimeThreads() {
    JavaPtr<Thread> tick;
    JavaPtr<Thread> starter;
    {
        std::lock_guard guard(threadsLock);
        tick = tickThread;
        starter = starterThread;
    }
    if (starter) starter->join();
    if (tick) tick->join();
}

bool staticsStillInUse() {
    {
        std::lock_guard guard(threadsLock);
        if ((tickThread && tickThread->isAlive()) || (starterThread && starterThread->isAlive())) return true;
    }
    if (threadsOutlivingTearDown.load(std::memory_order_acquire) > 0) return true;
    std::lock_guard guard(inUseChecksLock);
    return std::any_of(inUseChecks().begin(), inUseChecks().end(), [](bool (*inUse)()) { return inUse(); });
}

void addStaticsInUseCheck(bool (*inUse)()) {
    std::lock_guard guard(inUseChecksLock);
    inUseChecks().push_back(inUse);
}

void askToTerminate() {
    terminateAsked.store(true);
    UiThread::post(runAskedTerminate);
}

void onTerminateAsked(std::function<void()> terminate) {
    terminateWhenAsked = std::move(terminate);
    if (terminateWhenAsked && terminateAsked.load()) UiThread::post(runAskedTerminate);
}

void endWithoutStaticDestructors(int status) {
    runGuarded(javax::microedition::rms::RecordStore::closeAllRecordStores);
    std::fputs("lexivo-quiz: threads are still running; the process ends without tearing down its statics\n", stderr);
    std::fflush(nullptr);
    std::_Exit(status);
}

void joinStarterThread() {
    JavaPtr<Thread> starter;
    {
        std::lock_guard guard(threadsLock);
        starter = starterThread;
    }
    if (starter) starter->join();
}

}  // namespace launcher

void WLlibs_staticInit() { launcher::staticInitHooks().runAll(); }
void WLlibs_staticDestroy() { launcher::staticDestroyHooks().runAll(); }
void WLlibs_tickPolling() { launcher::tickPollingHooks().runAll(); }

bool preStartMIDletSetup() {
    using javax::microedition::lcdui::BitmapFontSystem;
    WLlibs_staticInit();
    runGuarded(javax::microedition::lcdui::LCDUI_staticInit);
    launcher::preStartHooks().runAll();
    bool fontLoaded = false;
    runGuarded([&] { fontLoaded = BitmapFontSystem::init(); });
    if (!fontLoaded)
        std::fprintf(stderr, "no text will be drawn: the bundle's font file \"%s\" is missing or damaged\n",
                     javax::microedition::lcdui::INTERNAL_BMP_FONT_RESNAME);
    return fontLoaded;
}

void preStopMIDletTearDown() {
    launcher::preStopHooks().runAll();
    if constexpr (buildconstants::USES_THREADED_REPAINT) runGuarded(Display::threadedRepaintTidyUp);
}

// The runtime keeps no thread pool, and its file system holds nothing open between calls, so
// their steps have nothing to release.
void postStopMIDletTearDown() {
    runGuarded(Display::tidyUp);
    launcher::postStopHooks().runAll();
    runGuarded(javax::microedition::rms::RecordStore::closeAllRecordStores);
    runGuarded(javax::microedition::lcdui::BitmapFontSystem::BitmapFontSystem_staticDestroy);
    runGuarded(javax::microedition::lcdui::OnScreenKeyboard::OnScreenKeyboard_staticDestroy);
    WLlibs_staticDestroy();
    ProxyMIDlet::clearMIDlet();
    Display::setMasterGraphics(nullptr);
}

int startapp_thread() {
    launcher::PassPacer pacer;
    bool shown = false;
    bool handedOver = false;
    for (;;) {
        pacer.beginPass();
        runPass(pacer, shown, handedOver);
        // The pass that sees the quit flag is complete; nothing runs after it but the teardown.
        if (MIDlet::quitInvoked.load(std::memory_order_acquire)) break;
        pacer.waitForNextPass();
    }
    tearDown();
    return 0;
}

void StubTicker::run() { startapp_thread(); }

void MIDletStarter::run() {
    runGuarded([] {
        JavaPtr<ProxyMIDlet> proxy = jnew<ProxyMIDlet>();
        {
            std::lock_guard guard(lifecycleLock);
            myMidlet = std::move(proxy);
        }
        driveLifecycle();
    });
}

void xyzLauncher() {
    // One runtime at a time; a new launch is possible once the previous one is torn down.
    if (launched.exchange(true)) return;
    {
        std::lock_guard guard(lifecycleLock);
        appState = AppState::NotStarted;
        pendingDestroys = 0;
    }
    runGuarded([] {
        // The global mutex is constant-initialised, so it needs no set-up here.
        if constexpr (buildconstants::USES_THREADED_REPAINT) Display::threadedRepaintSetup();
        // The screen is the surface the delegate set up before launching; set first, because
        // making the Display fixes the device width the chrome derives from it.
        Display::screenWidth = platform::outputWidth.load();
        Display::screenHeight = platform::outputHeight.load();
        Display::getDisplay(nullptr);
        JavaPtr<Graphics> master = jnew<Graphics>();
        master->WENDinvokeconstructor();
        master->masterFlag = true;
        javax::microedition::lcdui::installOpenGLBackEnd(*master);
        // Pixels and target texture stay null: with 2D drawn over 3D everything goes through the
        // texture path.
        static_assert(buildconstants::ATTEMPTS_2D_OVER_3D, "the software frame buffer target is not wired");
        Display::setMasterGraphics(master);
        preStartMIDletSetup();

        JavaPtr<Thread> tick = jnew<Thread>();
        tick->WENDinvokeconstructor(jnew<StubTicker>());
        JavaPtr<Thread> starter = jnew<Thread>();
        starter->WENDinvokeconstructor(jnew<MIDletStarter>());
        {
            std::lock_guard guard(threadsLock);
            tickThread = tick;
            starterThread = starter;
        }
        tick->start();
        starter->start();
    });
}

void xyzMouseDown(int32_t x, int32_t y) {
    toCurrentCanvas([&](Canvas& canvas) { canvas.pointerPressed(x, y); });
}

void xyzMouseDragged(int32_t x, int32_t y) {
    toCurrentCanvas([&](Canvas& canvas) { canvas.pointerDragged(x, y); });
}

void xyzMouseUp(int32_t x, int32_t y) {
    toCurrentCanvas([&](Canvas& canvas) { canvas.pointerReleased(x, y); });
}

void xyzKeyPressed(int32_t keyCode) {
    toCurrentCanvas([&](Canvas& canvas) { canvas.keyPressed(keyCode); });
}

void xyzKeyReleased(int32_t keyCode) {
    toCurrentCanvas([&](Canvas& canvas) { canvas.keyReleased(keyCode); });
}

void xyzSizeChanged() {
    runGuarded([] {
        const int32_t width = platform::outputWidth.load();
        const int32_t height = platform::outputHeight.load();
        Display::screenWidth = width;
        Display::screenHeight = height;
        if (JavaPtr<Graphics> master = Display::getMasterGraphics()) {
            // The master context is shared with whoever is painting.
            std::lock_guard paint(Canvas::paintLock());
            master->setTarget(master->getTargetPixels(), width, height, width);
        }
        if (JavaPtr<Canvas> canvas = Display::currentCanvas()) canvas->sizeChanged(width, height);
    });
}

void xyzPauseApp() {
    {
        std::lock_guard guard(lifecycleLock);
        if (Displayable::isInterrupted.load()) return;
        Displayable::isInterrupted = true;
    }
    driveLifecycle();
}

void xyzResumeApp() {
    {
        std::lock_guard guard(lifecycleLock);
        if (!Displayable::isInterrupted.load()) return;
        Displayable::isInterrupted = false;
    }
    driveLifecycle();
}

void xyzDestroy() {
    {
        std::lock_guard guard(lifecycleLock);
        Displayable::isInterrupted = true;
        ++pendingDestroys;
    }
    driveLifecycle();
}

void hookStartUp() {}

int32_t openEGLStartStopTransition(int32_t starting) { return 1; }
