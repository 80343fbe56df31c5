// The launcher starts the runtime's threads, drives the MIDlet's lifecycle from the platform's
// events, passes input to the current canvas, paces its loop and tears down once after the quit.
// Every wait is on the journal's condition or a join, never on time.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/Launcher.h"
#include "host/MIDlet.h"
#include "host/ProxyMIDlet.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/io/rms/RecordStoreException.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"
#include "tools/writers/RuntimeFontFile.h"

using java::lang::jnew;
using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Ticker;
using javax::microedition::midlet::MIDlet;
using Log = std::vector<std::string>;

namespace {

// What the runtime's threads did, with the gates that hold them; shared under one lock.
struct Journal {
    std::mutex lock;
    std::condition_variable changed;
    Log lifecycle;
    Log canvasEvents;
    Log order;
    int showNotifies = 0;
    int loopShows = 0;
    int passes = 0;
    int passesAfterQuit = 0;
    int teardowns = 0;
    bool holdFactory = false;
    bool factoryEntered = false;
    bool holdFirstStart = false;
    bool quitOnLoopShow = false;
    bool startApplicationThread = false;
    int throwOnPressAtX = -1;
    std::thread::id firstStartThread;

    template <class Change>
    void update(Change change) {
        {
            std::lock_guard guard(lock);
            change(*this);
        }
        changed.notify_all();
    }
    template <class Ready>
    void waitUntil(Ready ready) {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return ready(*this); });
    }
    template <class Read>
    auto read(Read reading) {
        std::lock_guard guard(lock);
        return reading(*this);
    }
};

std::atomic<Journal*> journal{nullptr};

Journal& j() { return *journal.load(); }

class RecordingCanvas : public Canvas {
    JAVA_CLASS(RecordingCanvas, "launchertest.RecordingCanvas", Canvas)
public:
    void showNotify() override {
        bool quit = false;
        j().update([&](Journal& log) {
            ++log.showNotifies;
            if (std::this_thread::get_id() != log.firstStartThread) {
                ++log.loopShows;
                quit = log.quitOnLoopShow;
            }
        });
        if (quit) MIDlet::quitInvoked = true;
    }
    void pointerPressed(int32_t x, int32_t y) override {
        if (x == j().read([](Journal& log) { return log.throwOnPressAtX; }))
            throw java::lang::IllegalArgumentException("press refused");
        event("down " + std::to_string(x) + "," + std::to_string(y));
    }
    void pointerDragged(int32_t x, int32_t y) override { event("drag " + std::to_string(x) + "," + std::to_string(y)); }
    void pointerReleased(int32_t x, int32_t y) override { event("up " + std::to_string(x) + "," + std::to_string(y)); }
    void keyPressed(int32_t key) override { event("key " + std::to_string(key)); }
    void keyReleased(int32_t key) override { event("keyup " + std::to_string(key)); }
    void sizeChanged(int32_t w, int32_t h) override { event("size " + std::to_string(w) + "," + std::to_string(h)); }

private:
    static void event(std::string text) {
        j().update([&](Journal& log) { log.canvasEvents.push_back(std::move(text)); });
    }
};

// An application thread that runs one last, slow pass after the quit, as a main loop would.
class LastPassWorker : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(LastPassWorker, "launchertest.LastPassWorker", java::lang::Object, java::lang::Runnable)
public:
    void run() override {
        while (!MIDlet::quitInvoked.load()) java::lang::Thread::sleep(1);
        java::lang::Thread::sleep(50);  // widens the window in which an early teardown would show
        j().update([](Journal& log) { log.order.emplace_back("application thread ended"); });
    }
};

class RecordingMIDlet : public MIDlet {
    JAVA_CLASS(RecordingMIDlet, "launchertest.RecordingMIDlet", MIDlet)
public:
    void startApp() override {
        bool first = false;
        j().update([&](Journal& log) {
            log.lifecycle.emplace_back("startApp");
            first = log.lifecycle.size() == 1;
            if (first) log.firstStartThread = std::this_thread::get_id();
        });
        if (first) j().waitUntil([](Journal& log) { return !log.holdFirstStart; });
        if (first && j().read([](Journal& log) { return log.startApplicationThread; })) {
            JavaPtr<java::lang::Thread> worker = jnew<java::lang::Thread>();
            worker->WENDinvokeconstructor(jnew<LastPassWorker>());
            worker->start();
        }
        if (!m_canvas) {
            m_canvas = jnew<RecordingCanvas>();
            m_canvas->WENDinvokeconstructor();
        }
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
    }
    void pauseApp() override {
        j().update([](Journal& log) { log.lifecycle.emplace_back("pauseApp"); });
        throw java::lang::IllegalStateException("pause refused");
    }
    void destroyApp(bool unconditional) override {
        j().update([&](Journal& log) { log.lifecycle.emplace_back(unconditional ? "destroyApp(true)" : "destroyApp(false)"); });
        notifyDestroyed();
    }

private:
    JavaPtr<RecordingCanvas> m_canvas;
};

JavaPtr<MIDlet> makeMIDlet() {
    j().update([](Journal& log) { log.factoryEntered = true; });
    j().waitUntil([](Journal& log) { return !log.holdFactory; });
    JavaPtr<RecordingMIDlet> midlet = jnew<RecordingMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

void countPass() {
    if (Journal* log = journal.load()) {
        log->update([](Journal& entry) {
            ++entry.passes;
            if (MIDlet::quitInvoked.load()) {
                ++entry.passesAfterQuit;
                entry.order.emplace_back("poll after quit");
            }
        });
    }
}

void countTeardown() {
    if (Journal* log = journal.load()) {
        log->update([](Journal& entry) {
            ++entry.teardowns;
            entry.order.emplace_back("teardown");
        });
    }
}

class LauncherTest : public testing::Test {
protected:
    void SetUp() override {
        journal = &m_journal;
        launcher::tickPollingHooks().add(countPass);
        launcher::postStopHooks().add(countTeardown);
        MIDlet::quitInvoked = false;
        Displayable::isInterrupted = false;
        Display::screenWidth = 320;
        Display::screenHeight = 480;
        platform::outputWidth = 320;
        platform::outputHeight = 480;
        ProxyMIDlet::setFactory(makeMIDlet);
        m_baseline = java::lang::Thread::numRunningThreads();
    }
    void TearDown() override {
        ProxyMIDlet::setFactory(nullptr);
        java::lang::clocks::setMonotonicSource(nullptr);
        journal = nullptr;
    }

    void launchAndWaitForTheCanvas() {
        xyzLauncher();
        m_journal.waitUntil([](Journal& log) { return log.loopShows == 1; });
        launcher::joinStarterThread();
    }
    // A few whole passes, so that anything the loop would do again has had the chance.
    void waitForPasses(int count) {
        const int from = m_journal.read([](Journal& log) { return log.passes; });
        m_journal.waitUntil([&](Journal& log) { return log.passes >= from + count; });
    }
    void terminateAndJoin() {
        xyzDestroy();
        launcher::joinStarterThread();
        // The MIDlet quits from destroyApp; should the launcher fail to call it, the expectations on
        // the lifecycle fail instead of the join hanging.
        MIDlet::quitInvoked = true;
        launcher::joinRuntimeThreads();
    }
    void expectTornDownOnce() {
        EXPECT_EQ(m_journal.read([](Journal& log) { return log.teardowns; }), 1);
        EXPECT_EQ(java::lang::Thread::numRunningThreads(), m_baseline);
        EXPECT_EQ(Display::currentCanvas(), nullptr);
        EXPECT_EQ(Display::getMasterGraphics(), nullptr);
    }
    Log lifecycle() { return m_journal.read([](Journal& log) { return log.lifecycle; }); }
    Log canvasEvents() { return m_journal.read([](Journal& log) { return log.canvasEvents; }); }

    Journal m_journal;
    int32_t m_baseline = 0;
};

TEST_F(LauncherTest, StartsTheMIDletOnceAndTheLoopShowsAndHandsOverItsFirstCanvasOnce) {
    launchAndWaitForTheCanvas();
    waitForPasses(3);
    JavaPtr<Canvas> canvas = Display::currentCanvas();
    ASSERT_NE(canvas, nullptr);
    JavaPtr<Graphics> master = Display::getMasterGraphics();
    ASSERT_NE(master, nullptr);
    EXPECT_TRUE(master->masterFlag);
    EXPECT_EQ(master->getTargetWidth(), 320);
    EXPECT_EQ(master->getTargetHeight(), 480);
    EXPECT_EQ(canvas->getGraphicsField(), master);
    EXPECT_EQ(lifecycle(), Log{"startApp"});
    // One from the screen change on the starter thread, one from the loop.
    EXPECT_EQ(m_journal.read([](Journal& log) { return log.showNotifies; }), 2);
    EXPECT_EQ(m_journal.read([](Journal& log) { return log.loopShows; }), 1);
    canvas = nullptr;
    master = nullptr;

    terminateAndJoin();
    EXPECT_EQ(lifecycle(), (Log{"startApp", "destroyApp(false)"}));
    expectTornDownOnce();
}

TEST_F(LauncherTest, PausesAndResumesFollowTheInterruptedMarkAndTerminateWhileInterruptedDestroys) {
    launchAndWaitForTheCanvas();
    xyzResumeApp();  // not paused: ignored
    xyzPauseApp();   // the MIDlet's pauseApp throws; the entry point returns all the same
    xyzPauseApp();
    EXPECT_TRUE(Displayable::isInterrupted);
    xyzResumeApp();
    EXPECT_FALSE(Displayable::isInterrupted);
    xyzPauseApp();
    EXPECT_EQ(lifecycle(), (Log{"startApp", "pauseApp", "startApp", "pauseApp"}));

    terminateAndJoin();
    EXPECT_EQ(lifecycle(), (Log{"startApp", "pauseApp", "startApp", "pauseApp", "destroyApp(false)"}));
    EXPECT_TRUE(Displayable::isInterrupted);
    expectTornDownOnce();

    // Torn down: the entry points find no MIDlet and no canvas.
    Displayable::isInterrupted = false;
    xyzPauseApp();
    xyzMouseDown(1, 1);
    EXPECT_EQ(lifecycle().size(), 5u);
    EXPECT_TRUE(canvasEvents().empty());
}

TEST_F(LauncherTest, EventsDuringTheFirstStartAreCarriedOutAfterItWithoutASecondStart) {
    m_journal.holdFirstStart = true;
    xyzLauncher();
    m_journal.waitUntil([](Journal& log) { return !log.lifecycle.empty(); });
    xyzPauseApp();
    xyzResumeApp();
    m_journal.update([](Journal& log) { log.holdFirstStart = false; });
    launcher::joinStarterThread();
    EXPECT_EQ(lifecycle(), Log{"startApp"});

    xyzPauseApp();
    EXPECT_EQ(lifecycle(), (Log{"startApp", "pauseApp"}));
    terminateAndJoin();
    EXPECT_EQ(lifecycle(), (Log{"startApp", "pauseApp", "destroyApp(false)"}));
    expectTornDownOnce();
}

TEST_F(LauncherTest, TerminateBeforeTheMIDletExistsDestroysItOnceItDoes) {
    m_journal.holdFactory = true;
    xyzLauncher();
    m_journal.waitUntil([](Journal& log) { return log.factoryEntered; });
    xyzDestroy();
    m_journal.update([](Journal& log) { log.holdFactory = false; });
    launcher::joinStarterThread();
    EXPECT_EQ(lifecycle(), Log{"destroyApp(false)"});
    EXPECT_TRUE(MIDlet::quitInvoked);
    MIDlet::quitInvoked = true;
    launcher::joinRuntimeThreads();
    expectTornDownOnce();
}

TEST_F(LauncherTest, InputReachesOnlyACurrentCanvasAndItsFailuresStayInside) {
    m_journal.holdFactory = true;
    xyzLauncher();
    m_journal.waitUntil([](Journal& log) { return log.factoryEntered; });
    xyzMouseDown(1, 2);
    xyzMouseUp(1, 2);
    xyzKeyPressed(49);
    // No canvas yet: the screen and the master context still take the new size.
    platform::outputWidth = 480;
    platform::outputHeight = 320;
    xyzSizeChanged();
    EXPECT_EQ(Display::screenWidth, 480);
    EXPECT_EQ(Display::screenHeight, 320);
    JavaPtr<Graphics> master = Display::getMasterGraphics();
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->getTargetWidth(), 480);
    EXPECT_EQ(master->getTargetHeight(), 320);
    master = nullptr;

    m_journal.update([](Journal& log) {
        log.holdFactory = false;
        log.throwOnPressAtX = 99;
    });
    m_journal.waitUntil([](Journal& log) { return log.loopShows == 1; });
    EXPECT_TRUE(canvasEvents().empty());  // nothing was queued for later
    xyzMouseDown(5, 6);
    xyzMouseDragged(7, 8);
    xyzMouseUp(9, 10);
    xyzMouseDown(99, 0);
    xyzMouseDown(11, 12);
    xyzKeyPressed(50);
    xyzKeyReleased(50);
    xyzSizeChanged();
    EXPECT_EQ(canvasEvents(),
              (Log{"down 5,6", "drag 7,8", "up 9,10", "down 11,12", "key 50", "keyup 50", "size 480,320"}));

    terminateAndJoin();
    expectTornDownOnce();
}

TEST_F(LauncherTest, AQuitSeenDuringAPassLetsThePassFinishThenTearsDownOnceAndTheThreadEnds) {
    m_journal.quitOnLoopShow = true;
    xyzLauncher();
    launcher::joinRuntimeThreads();
    EXPECT_EQ(m_journal.read([](Journal& log) { return log.order; }), (Log{"poll after quit", "teardown"}));
    EXPECT_EQ(lifecycle(), Log{"startApp"});
    expectTornDownOnce();
}

std::atomic<int64_t> fakeMonotonic{0};
int64_t readFakeMonotonic() { return fakeMonotonic.load(); }

TEST_F(LauncherTest, TheLoopCreditsTheScreensWithTheTimeThatReallyPassed) {
    fakeMonotonic = 1000;
    java::lang::clocks::setMonotonicSource(readFakeMonotonic);
    launchAndWaitForTheCanvas();
    JavaPtr<Ticker> ticker = jnew<Ticker>();
    ticker->WENDinvokeconstructor(jnew<java::lang::String>("news"));
    Display::addTicker(ticker);
    Display::needToTickLCDUI = true;
    waitForPasses(3);
    EXPECT_EQ(ticker->getTotalTickedTimeMS(), 0);  // however many passes ran, no time passed

    fakeMonotonic = 2234;
    waitForPasses(3);
    EXPECT_EQ(ticker->getTotalTickedTimeMS(), 1234);
    fakeMonotonic = 2250;
    waitForPasses(3);
    EXPECT_EQ(ticker->getTotalTickedTimeMS(), 1250);

    terminateAndJoin();
    expectTornDownOnce();
}

TEST_F(LauncherTest, TheWholeLifecycleRunsCleanAndLeavesNoThread) {
    launchAndWaitForTheCanvas();
    for (int i = 0; i < 100; ++i) {
        xyzMouseDown(i, i + 1);
        xyzMouseUp(i, i + 1);
    }
    xyzPauseApp();
    xyzResumeApp();
    terminateAndJoin();

    const Log events = canvasEvents();
    ASSERT_EQ(events.size(), 200u);
    EXPECT_EQ(events.front(), "down 0,1");
    EXPECT_EQ(events.back(), "up 99,100");
    EXPECT_EQ(lifecycle(), (Log{"startApp", "pauseApp", "startApp", "destroyApp(false)"}));
    expectTornDownOnce();
}

// The pacer, on the fake clock, with a sleeper that records and lets the clock move on.
std::vector<int64_t> slept;
bool sleepingMovesTheClock = true;
void recordSleep(int64_t millis) {
    slept.push_back(millis);
    if (sleepingMovesTheClock) fakeMonotonic += millis;
}

TEST(PassPacer, SleepsOnlyUntilTheNextPassIsDueAndCreditsTheTimeThatPassed) {
    fakeMonotonic = 1000;
    java::lang::clocks::setMonotonicSource(readFakeMonotonic);
    launcher::PassPacer pacer(recordSleep);

    pacer.beginPass();
    fakeMonotonic = 1003;
    slept.clear();
    pacer.waitForNextPass();
    int64_t total = 0;
    for (int64_t millis : slept) total += millis;
    EXPECT_EQ(total, 7);
    EXPECT_EQ(pacer.takeElapsed(), 10);

    pacer.beginPass();
    fakeMonotonic += 25;  // a long pass: the next starts at once
    slept.clear();
    pacer.waitForNextPass();
    EXPECT_TRUE(slept.empty());
    EXPECT_EQ(pacer.takeElapsed(), 25);

    // A clock that steps back credits nothing, and the count goes on from there.
    fakeMonotonic = 900;
    EXPECT_EQ(pacer.takeElapsed(), 0);
    fakeMonotonic = 940;
    EXPECT_EQ(pacer.takeElapsed(), 40);

    // A clock that stands still cannot hold the loop longer than one interval.
    sleepingMovesTheClock = false;
    pacer.beginPass();
    slept.clear();
    pacer.waitForNextPass();
    total = 0;
    for (int64_t millis : slept) total += millis;
    EXPECT_EQ(total, launcher::PASS_INTERVAL_MS);
    sleepingMovesTheClock = true;

    // A screen change asked for: the next pass runs at once.
    Display::setCurrentRequested = true;
    pacer.beginPass();
    slept.clear();
    pacer.waitForNextPass();
    EXPECT_TRUE(slept.empty());
    Display::setCurrentRequested = false;

    java::lang::clocks::setMonotonicSource(nullptr);
}

TEST(HookList, RunsItsHooksInOrderOnceEachAndGoesOnPastAFailure) {
    static Log ran;
    ran.clear();
    launcher::HookList hooks{[] { ran.emplace_back("first"); }};
    hooks.add([] { throw java::lang::IllegalStateException("hook failed"); });
    const launcher::Hook last = [] { ran.emplace_back("last"); };
    hooks.add(last);
    hooks.add(last);
    hooks.runAll();
    EXPECT_EQ(ran, (Log{"first", "last"}));
}

}  // namespace

TEST_F(LauncherTest, TeardownWaitsForTheApplicationsThreadsToEnd) {
    m_journal.startApplicationThread = true;
    launchAndWaitForTheCanvas();
    terminateAndJoin();
    const Log order = m_journal.read([](Journal& log) { return log.order; });
    const auto ended = std::find(order.begin(), order.end(), "application thread ended");
    const auto teardown = std::find(order.begin(), order.end(), "teardown");
    ASSERT_NE(ended, order.end());
    EXPECT_LT(ended, teardown);
    expectTornDownOnce();
}

// What each start-up and tear-down step found when it ran: whether the font was loaded, whether the
// application's store was still open, whether the display had been tidied.
std::atomic<Log*> steps{nullptr};
const char* const STORE_NAME = "launcher-steps";

bool storeIsOpen() {
    try {
        javax::microedition::rms::RecordStore::deleteRecordStore(jnew<java::lang::String>(STORE_NAME));
        return false;
    } catch (const javax::microedition::rms::RecordStoreException&) {
        return true;
    }
}

void step(std::string what) {
    using javax::microedition::lcdui::BitmapFontSystem;
    what += BitmapFontSystem::isInitialised() ? " font" : " no-font";
    steps.load()->push_back(std::move(what));
}

TEST_F(LauncherTest, StartUpAndTearDownRunTheirStepsInOrderAndCloseEveryStore) {
    namespace fs = std::filesystem;
    const fs::path bundle = fs::temp_directory_path() / ("launcher-steps-" + std::to_string(::getpid()));
    fs::create_directories(bundle);
    writers::RuntimeFont font;
    font.glyphs = {{u'A', 0, {"#.#", "###"}}};
    const std::vector<uint8_t> fontBytes = font.bytes();
    std::ofstream(bundle / "wlbmpfnt", std::ios::binary)
        .write(reinterpret_cast<const char*>(fontBytes.data()), static_cast<std::streamsize>(fontBytes.size()));
    java::io::FileSystem::setDirectories(bundle.string(), (bundle / "documents").string());

    Log recorded;
    steps = &recorded;
    launcher::staticInitHooks().add([] { step("static init"); });
    launcher::preStartHooks().add([] {
        step("pre-start");
        // The application's store, left open for the teardown to close.
        javax::microedition::rms::RecordStore::openRecordStore(jnew<java::lang::String>(STORE_NAME), true);
        javax::microedition::rms::RecordStore::openRecordStore(jnew<java::lang::String>(STORE_NAME), true);
    });
    launcher::preStopHooks().add([] { step(Display::currentCanvas() ? "pre-stop canvas" : "pre-stop"); });
    launcher::postStopHooks().add([] {
        step(std::string(Display::currentCanvas() ? "post-stop canvas" : "post-stop") +
             (storeIsOpen() ? " store-open" : " store-closed"));
    });
    launcher::staticDestroyHooks().add(
        [] { step(storeIsOpen() ? "static destroy store-open" : "static destroy store-closed"); });

    launchAndWaitForTheCanvas();
    terminateAndJoin();
    steps = nullptr;
    EXPECT_EQ(recorded, (Log{"static init no-font", "pre-start no-font", "pre-stop canvas font",
                             "post-stop store-open font", "static destroy store-closed no-font"}));
    expectTornDownOnce();
    fs::remove_all(bundle);
}
