// The canvas as construction leaves it, the class statics, and the MIDlet's lifecycle with the
// canvas's main thread running on the real clock.
#include <stdexcept>

#include "app/framework/tests/CanvasFixture.h"
#include "runtime/lang/Thread.h"
#include "runtime/text/String.h"

namespace frameworktest {
namespace {

using java::lang::jnew;
using javax::microedition::midlet::MIDlet;

std::string text(const JavaPtr<java::lang::String>& value) { return value ? value->val() : "<null>"; }

using Construction = CanvasFixture;

TEST_F(Construction, ANewCanvasHasItsDefaults) {
    EXPECT_EQ(canvas->sound_channels.sound_volume, 100);
    EXPECT_EQ(text(canvas->image_suffix), "");
    EXPECT_EQ(text(canvas->record_store_prefix), "WLRS");
    EXPECT_EQ(canvas->record_store_cache->length, 2);
    EXPECT_EQ(canvas->image_cache_keys->length, 512);
    EXPECT_EQ(canvas->image_cache_images->length, 256);
    EXPECT_TRUE(canvas->first_menu_load);
    EXPECT_TRUE(canvas->test_finished);
    EXPECT_EQ((*canvas->timer_dots)[23], 6);
    EXPECT_EQ(canvas->recent_questions->length, 143);
    JavaPtr<HookCanvas> fresh = jnew<HookCanvas>();
    fresh->WENDinvokeconstructor();
    EXPECT_EQ(fresh->referenceCount(), 1) << "construction leaves no count of its own behind";
}

TEST_F(Construction, TheFourthSettingTurnsTheCanvasSoundOff) {
    (*canvas->settings)[3] = true;
    canvas->sound_channels.loadSounds();
    EXPECT_FALSE(canvas->sound_channels.sounds_loaded);
    (*canvas->settings)[3] = false;
    canvas->sound_channels.loadSounds();
    EXPECT_TRUE(canvas->sound_channels.sounds_loaded);
}

TEST_F(Construction, ClassStaticsAreCreatedAtStartAndAllReleasedAtTeardown) {
    EXPECT_EQ(HookCanvas::WL_TEXT_GUIDELINE_TYPE_MASK, static_cast<int32_t>(0xFF000000u));
    EXPECT_EQ(text(HookCanvas::version_string), "v1.1");
    EXPECT_EQ(HookCanvas::system_fonts->length, 2);
    EXPECT_EQ(HookCanvas::bitmap_font_metrics->length, 2);
    EXPECT_EQ(HookCanvas::category_scores->length, 22);
    EXPECT_EQ(HookCanvas::category_completed->length, 22);
    EXPECT_EQ(HookCanvas::particles->length, 128);
    HookCanvas::languages = jnew<JArray<signed char>>(10);
    EXPECT_EQ(HookCanvas::numLanguagesIncluded(), 5);

    HookCanvas::HookCanvas_globalStaticDestroy();
    EXPECT_FALSE(HookCanvas::version_string || HookCanvas::system_fonts || HookCanvas::category_scores ||
                 HookCanvas::particles || HookCanvas::languages || HookCanvas::bitmap_font_metrics);
}

class Lifecycle : public CanvasFixture {
protected:
    void SetUp() override {
        withCurrentCanvas = false;
        CanvasFixture::SetUp();
        // The canvas's own thread runs here: real time, real sleeps.
        java::lang::clocks::setMonotonicSource(nullptr);
        HookCanvas::setLoopSleeper(nullptr);
    }
    JavaPtr<MIDlet> midlet = makeAppMidlet();
};

TEST_F(Lifecycle, StartKeepsOneCanvasThroughPauseAndResumeAndDestroyDropsIt) {
    midlet->startApp();
    JavaPtr<HookCanvas> first = AppMidlet::getCanvasStatic();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isShown());
    EXPECT_EQ(first->midlet, midlet);
    JavaPtr<java::lang::Thread> loop = HookCanvas::mainThread();
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->getPriority(), 1);

    HookCanvas::game_state = HookCanvas::GAMESTATE_MAIN_MENU;
    midlet->pauseApp();
    EXPECT_EQ(testquiz::calls.soundUnloads, 1);
    midlet->startApp();
    EXPECT_EQ(AppMidlet::getCanvasStatic(), first);
    EXPECT_EQ(HookCanvas::mainThread(), loop);
    EXPECT_EQ(testquiz::calls.inputSetUps, 1) << "the running main thread is kept";

    midlet->destroyApp(false);
    EXPECT_TRUE(AppMidlet::app_terminating);
    EXPECT_FALSE(AppMidlet::getCanvasStatic());
    EXPECT_TRUE(MIDlet::quitInvoked);
    loop->join();
    const int unloads = testquiz::calls.soundUnloads;
    midlet->pauseApp();
    EXPECT_EQ(testquiz::calls.soundUnloads, unloads) << "no canvas is left to pause";
}

TEST_F(Lifecycle, AnUpdateThatThrowsEndsTheLoopAndTheNextStartBeginsANewOne) {
    std::atomic<int> updates{0};
    testquiz::onUpdate = [&updates](HookCanvas&) {
        if (updates++ == 0) throw std::runtime_error("update failed");
    };
    midlet->startApp();
    JavaPtr<java::lang::Thread> failed = HookCanvas::mainThread();
    ASSERT_TRUE(failed);
    failed->join();
    EXPECT_FALSE(HookCanvas::mainThread());
    midlet->startApp();
    JavaPtr<java::lang::Thread> next = HookCanvas::mainThread();
    ASSERT_TRUE(next);
    EXPECT_TRUE(waitFor([&updates] { return updates > 1; }));
    midlet->destroyApp(false);
    next->join();
}

TEST_F(Lifecycle, QuitOnTheCanvasThreadEndsTheApplication) {
    std::atomic<int> quits{0};
    testquiz::onUpdate = [&quits](HookCanvas& self) {
        if (quits++ == 0) self.quit();
    };
    midlet->startApp();
    JavaPtr<java::lang::Thread> loop = HookCanvas::mainThread();
    ASSERT_TRUE(loop);
    loop->join();
    EXPECT_FALSE(HookCanvas::mainThread());
    EXPECT_FALSE(AppMidlet::getCanvasStatic());
    EXPECT_TRUE(AppMidlet::app_terminating);
    EXPECT_TRUE(MIDlet::quitInvoked);
}

}  // namespace
}  // namespace frameworktest
