// The main loop's passes on a fake clock, pause and resume, and the loading threads.
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <tuple>

#include "app/framework/tests/CanvasFixture.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"

namespace frameworktest {
namespace {

using MainLoop = CanvasFixture;

TEST_F(MainLoop, UpdatesPerPassFollowTheTimeSinceTheLastUpdate) {
    struct Case {
        int64_t elapsed;
        int updates;
        int64_t lastUpdateAfter;  // relative to the start
        int paints;
        int64_t wait;  // until the next update is due
    };
    const Case cases[] = {
        {32, 0, 0, 0, 1},
        {33, 1, 33, 1, 33},
        {70, 2, 66, 1, 29},     // the third step (99) is not due: nothing dropped
        {120, 2, 120, 1, 33},   // a third is due: the backlog is dropped
        {-5, 0, 0, 0, 33},      // a clock behind the last pass runs nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        testquiz::reset();
        waits.clear();
        fakeNow = 1000;
        runningIn(HookCanvas::GAMESTATE_MAIN_MENU);
        fakeNow = 1000 + c.elapsed;
        canvas->runOnce();
        EXPECT_EQ(testquiz::calls.updates, c.updates);
        EXPECT_EQ(HookCanvas::last_fixed_update_time_ms, 1000 + c.lastUpdateAfter);
        EXPECT_EQ(HookCanvas::last_variable_update_time_ms, fakeNow.load());
        EXPECT_EQ(testquiz::calls.renders, c.paints);
        EXPECT_EQ(waits, std::vector<int64_t>{c.wait});
    }
}

TEST_F(MainLoop, InputIsLatchedOncePerUpdate) {
    runningIn(HookCanvas::GAMESTATE_GAME_RUNNING);
    // A press and release, and a key tapped, all between two updates.
    HookCanvas::internal_pointer_pressed = true;
    HookCanvas::internal_pointer_repeated = false;
    HookCanvas::internal_keys_pressed = HookCanvas::KEYFLAG_FIRE;
    HookCanvas::internal_keys_repeated = HookCanvas::KEYFLAG_UP;
    using Seen = std::tuple<bool, bool, int32_t, int32_t>;  // pointer pressed, repeated; keys pressed, repeated
    std::vector<Seen> seen;
    testquiz::onUpdate = [&](HookCanvas&) {
        seen.push_back({HookCanvas::pointer_pressed, HookCanvas::pointer_repeated, HookCanvas::keys_pressed,
                        HookCanvas::keys_repeated});
    };
    fakeNow += 66;
    canvas->runOnce();
    const int32_t fire = HookCanvas::KEYFLAG_FIRE, up = HookCanvas::KEYFLAG_UP;
    EXPECT_EQ(seen, (std::vector<Seen>{{true, true, fire, fire | up}, {false, false, 0, up}}));
}

TEST_F(MainLoop, HiddenCanvasPausesOnceAndNeitherUpdatesNorPaints) {
    runningIn(HookCanvas::GAMESTATE_MAIN_MENU);
    javax::microedition::lcdui::Displayable::isInterrupted = true;
    for (int pass = 0; pass < 3; ++pass) {
        fakeNow += 100;
        canvas->runOnce();
    }
    EXPECT_EQ(testquiz::calls.updates, 0);
    EXPECT_EQ(testquiz::calls.renders, 0);
    EXPECT_EQ(testquiz::calls.soundUnloads, 1);
    EXPECT_EQ(HookCanvas::app_status, HookCanvas::APPSTATUSFLAG_PAUSED | HookCanvas::APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN);
    // Hidden passes sleep between looks rather than spin.
    EXPECT_EQ(waits, std::vector<int64_t>(3, HookCanvas::HIDDEN_POLL_MS));

    // Shown again: the first pass only resumes, the next ones update with the backlog dropped.
    javax::microedition::lcdui::Displayable::isInterrupted = false;
    canvas->runOnce();
    EXPECT_EQ(testquiz::calls.soundLoads, 1);
    EXPECT_EQ(HookCanvas::app_status, HookCanvas::APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN);
    EXPECT_EQ(testquiz::calls.updates, 0);
    canvas->runOnce();
    EXPECT_EQ(testquiz::calls.updates, 2);
    EXPECT_EQ(testquiz::calls.renders, 1);
}

TEST_F(MainLoop, StartUpStateNeverPausesOrPaints) {
    runningIn(HookCanvas::GAMESTATE_INIT_WENDREL);
    fakeNow += 33;
    canvas->runOnce();
    canvas->hideNotify();
    EXPECT_EQ(testquiz::calls.updates, 1);
    EXPECT_EQ(testquiz::calls.renders, 0);
    EXPECT_EQ(HookCanvas::app_status, 0);
}

TEST_F(MainLoop, NothingIsPaintedOnceTheApplicationIsTerminating) {
    runningIn(HookCanvas::GAMESTATE_MAIN_MENU);
    testquiz::onUpdate = [](HookCanvas&) { AppMidlet::app_terminating = true; };
    fakeNow += 66;
    canvas->runOnce();
    EXPECT_EQ(testquiz::calls.updates, 2);
    EXPECT_EQ(testquiz::calls.renders, 0);
}

TEST_F(MainLoop, AVibrationIsStoppedOnceItsTimeHasPassed) {
    runningIn(HookCanvas::GAMESTATE_MAIN_MENU);
    canvas->vibrate(100);
    EXPECT_EQ(HookCanvas::vibration_end_time, 1100);
    fakeNow += 100;
    canvas->runOnce();
    EXPECT_EQ(HookCanvas::vibration_end_time, 1100);
    fakeNow += 1;
    canvas->runOnce();
    EXPECT_EQ(HookCanvas::vibration_end_time, 0);
}

constexpr int32_t LOADING = HookCanvas::GAMESTATEFLAG_LOADING;

TEST_F(MainLoop, ALoadingRequestWhileLoadingIsIgnoredAndEachLoaderClearsOnlyItsOwnFlag) {
    std::mutex logLock;
    std::vector<std::string> log;
    std::atomic<bool> releaseFirst{false};
    testquiz::onLoad = [&](HookCanvas&) {
        const int32_t state = HookCanvas::game_state;
        {
            std::lock_guard guard(logLock);
            log.push_back("begin " + std::to_string(state & ~LOADING));
        }
        if ((state & ~LOADING) == HookCanvas::GAMESTATE_MAIN_MENU) waitFor([&] { return releaseFirst.load(); });
        std::lock_guard guard(logLock);
        log.push_back("end " + std::to_string(state & ~LOADING));
    };
    const auto entries = [&] {
        std::lock_guard guard(logLock);
        return log;
    };

    canvas->changeGameStateTo(HookCanvas::GAMESTATE_MAIN_MENU | LOADING);
    ASSERT_TRUE(waitFor([&] { return entries().size() == 1; }));
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_STATS | LOADING);
    EXPECT_EQ(HookCanvas::game_state, HookCanvas::GAMESTATE_MAIN_MENU | LOADING);
    EXPECT_EQ(HookCanvas::previous_game_state, HookCanvas::GAMESTATE_INIT_WENDREL);

    // Leaving the loading state is allowed; a new loading state then starts a second loader,
    // which must wait for the first.
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_ABOUT);
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_CONFIRM | LOADING);
    EXPECT_FALSE(happensSoon([&] { return entries().size() > 1; }));
    releaseFirst = true;
    ASSERT_TRUE(waitFor([&] { return HookCanvas::game_state == HookCanvas::GAMESTATE_CONFIRM; }));
    EXPECT_EQ(entries(), (std::vector<std::string>{"begin 1", "end 1", "begin 5", "end 5"}));
    EXPECT_EQ(HookCanvas::previous_game_state, HookCanvas::GAMESTATE_ABOUT);
}

TEST_F(MainLoop, AFailingLoadIsReportedAndStillClearsTheLoadingFlag) {
    struct Case {
        const char* name;
        std::function<void(HookCanvas&)> load;
    };
    const Case cases[] = {
        {"Throwable", [](HookCanvas&) { throw java::lang::IllegalStateException(); }},
        {"std::exception", [](HookCanvas&) { throw std::runtime_error("no pack"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HookCanvas::game_state = HookCanvas::GAMESTATE_ABOUT;
        testquiz::onLoad = c.load;
        canvas->changeGameStateTo(HookCanvas::GAMESTATE_STATS | LOADING);
        EXPECT_TRUE(waitFor([] { return HookCanvas::game_state == HookCanvas::GAMESTATE_STATS; }));
    }
    // Later loads are not held up by the failed ones.
    testquiz::onLoad = nullptr;
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_MAIN_MENU | LOADING);
    EXPECT_TRUE(waitFor([] { return HookCanvas::game_state == HookCanvas::GAMESTATE_MAIN_MENU; }));
    EXPECT_TRUE(waitFor([] { return testquiz::calls.loads == 3; }));
}

// As a quiz whose first loading finds its bundle unusable stops its loop: the loop's last pass
// draws the loading screen, never the screen that was not loaded.
TEST_F(MainLoop, ALoadingThatStopsTheLoopLeavesItsStateLoading) {
    std::atomic<bool> loaded{false};
    testquiz::onLoad = [&](HookCanvas& c) {
        c.stopMainThread();
        loaded = true;
    };
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_MAIN_MENU | LOADING);
    ASSERT_TRUE(waitFor([&] { return loaded.load(); }));
    EXPECT_FALSE(happensSoon([] { return HookCanvas::game_state == HookCanvas::GAMESTATE_MAIN_MENU; }));
}

TEST_F(MainLoop, AnUpdateFailingAlikeOverAndOverIsReportedOnce) {
    runningIn(HookCanvas::GAMESTATE_MAIN_MENU);
    // One update each; null: the update works.
    const char* failures[] = {"pk0 ends early", "pk0 ends early", "pk0 ends early", "topics cut", nullptr,
                              "pk0 ends early", "pk0 ends early"};
    const char* failure = nullptr;
    testquiz::onUpdate = [&](HookCanvas&) {
        if (failure) throw java::io::IOException(failure);
    };
    testing::internal::CaptureStderr();
    for (const char* next : failures) {
        failure = next;
        fakeNow += 33;
        canvas->runOnce();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lexivo-quiz: pk0 ends early\nlexivo-quiz: topics cut\nlexivo-quiz: pk0 ends early\n");
    EXPECT_EQ(testquiz::calls.updates, 7);
}

}  // namespace
}  // namespace frameworktest
