// A HookCanvas current on a 320 x 480 display, its loop timed by a fake monotonic clock and its
// passes' waits recorded instead of slept; every static the loop touches is reset afterwards.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/tests/TestQuizHalf.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/media/tests/MediaTestSupport.h"

namespace frameworktest {

inline std::atomic<int64_t> fakeNow{1000};
inline std::vector<int64_t> waits;  // written by the test's own thread only

inline int64_t fakeClock() { return fakeNow.load(); }
inline void recordWait(int64_t millis) { waits.push_back(millis); }

// Polls for something another thread does, with a bound that only keeps a broken build from hanging.
using mediatest::waitFor;

// For what must not happen: watches a moment for it. A correct build passes however slow the machine.
template <class Condition>
bool happensSoon(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

class CanvasFixture : public ::testing::Test {
protected:
    using Display = javax::microedition::lcdui::Display;

    void SetUp() override {
        testquiz::reset();
        resetLoopStatics();
        java::lang::clocks::setMonotonicSource(fakeClock);
        HookCanvas::setLoopSleeper(recordWait);
        Display::screenWidth = 320;
        Display::screenHeight = 480;
        master = java::lang::jnew<javax::microedition::lcdui::Graphics>();
        display = Display::getDisplay();
        Display::setMasterGraphics(master);
        HookCanvas::HookCanvas_globalStaticCreate();
        if (!withCurrentCanvas) return;
        canvas = java::lang::jnew<HookCanvas>();
        canvas->WENDinvokeconstructor();
        display->setCurrent(canvas);
        canvas->setGraphicsField(master);
    }

    void TearDown() override {
        if (canvas) canvas->stopMainThread();
        canvas = nullptr;
        AppMidlet::AppMidlet_globalStaticDestroy();
        display = nullptr;
        master = nullptr;
        Display::tidyUp();
        Display::Display_staticDestroy();
        HookCanvas::HookCanvas_globalStaticDestroy();
        javax::microedition::lcdui::Displayable::isInterrupted = false;
        java::lang::clocks::setMonotonicSource(nullptr);
        HookCanvas::setLoopSleeper(nullptr);
        testquiz::reset();
        resetLoopStatics();
    }

    // A running (not paused) canvas in the given state whose last update was at the clock's time.
    void runningIn(int32_t state) {
        HookCanvas::game_state = state;
        HookCanvas::app_status = 0;
        HookCanvas::last_fixed_update_time_ms = fakeNow.load();
        HookCanvas::last_variable_update_time_ms = fakeNow.load();
    }

    static void resetLoopStatics() {
        fakeNow = 1000;
        waits.clear();
        HookCanvas::game_state = 0;
        HookCanvas::previous_game_state = 0;
        HookCanvas::app_status = HookCanvas::APPSTATUSFLAG_PAUSED;
        HookCanvas::last_fixed_update_time_ms = 0;
        HookCanvas::last_variable_update_time_ms = 0;
        HookCanvas::render_after_update = false;
        HookCanvas::vibration_end_time = 0;
        AppMidlet::app_terminating = false;
        for (auto* mask : {&HookCanvas::keys_pressed, &HookCanvas::keys_repeated, &HookCanvas::internal_keys_pressed,
                           &HookCanvas::internal_keys_repeated})
            *mask = 0;
        for (auto* flag : {&HookCanvas::pointer_pressed, &HookCanvas::pointer_repeated,
                           &HookCanvas::internal_pointer_pressed, &HookCanvas::internal_pointer_repeated})
            *flag = false;
    }

    // Off for tests whose MIDlet makes its own canvas current.
    bool withCurrentCanvas = true;
    JavaPtr<javax::microedition::lcdui::Graphics> master;
    JavaPtr<Display> display;
    JavaPtr<HookCanvas> canvas;
};

}  // namespace frameworktest
