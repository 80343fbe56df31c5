// The repaint thread: queued canvases painted whole, one slot, serial calls after a painting pass,
// and a tidy-up that waits for the thread.
#include <gtest/gtest.h>

#include <latch>

#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/tests/FakePlatformBridge.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"

namespace lcduitest {
namespace {

using javax::microedition::lcdui::Display;
using Log = std::vector<std::string>;

using ThreadedRepaintTest = DisplayFixture;

TEST_F(ThreadedRepaintTest, RequestsWhileTheThreadPaintsGiveOnePaintOfTheWholeCanvasAndAFullTableDrops) {
    auto blocking = RecordingCanvas::make("blocking", log);
    auto target = RecordingCanvas::make("target", log);
    auto dropped = RecordingCanvas::make("dropped", log);
    display->setCurrent(blocking);
    log.take();
    std::latch entered(1);
    std::latch release(1);
    blocking->onPaint = [&] {
        entered.count_down();
        release.wait();
    };

    Display::startThreadedRepaint();
    ASSERT_TRUE(Display::queueThreadedRepaint(blocking.get()));
    entered.wait();
    EXPECT_TRUE(Display::queueThreadedRepaint(target.get()));
    EXPECT_FALSE(Display::queueThreadedRepaint(target.get())) << "already queued";
    EXPECT_FALSE(Display::queueThreadedRepaint(dropped.get())) << "the one slot is taken";
    release.count_down();
    Display::waitForThreadedRepaints();

    // target was never current, so it has no Graphics: its paint is skipped, as for a synchronous repaint.
    target->setGraphicsField(master);
    ASSERT_TRUE(Display::queueThreadedRepaint(target.get()));
    Display::waitForThreadedRepaints();
    EXPECT_EQ(log.take(), (Log{"setClip 0,0,320,480", "paint blocking", "setClip 0,0,320,480", "paint target"}));
}

TEST_F(ThreadedRepaintTest, SerialCallsRunAfterAPaintingPassAndTidyUpWaitsForThem) {
    auto canvas = RecordingCanvas::make("canvas", log);
    display->setCurrent(canvas);
    JavaPtr<CountingRunnable> call(new CountingRunnable("call", log));
    display->callSerially(call);
    log.take();

    Display::startThreadedRepaint();
    ASSERT_TRUE(Display::queueThreadedRepaint(canvas.get()));
    Display::waitForThreadedRepaints();
    Display::stopThreadedRepaint();
    EXPECT_EQ(log.take(), (Log{"setClip 0,0,320,480", "paint canvas", "run call"}));
    EXPECT_FALSE(Display::queueThreadedRepaint(canvas.get())) << "no table after the tidy-up";
    Display::waitForThreadedRepaints();
}

TEST_F(ThreadedRepaintTest, AfterTheQuitFlagTheThreadEndsWithoutPainting) {
    auto canvas = RecordingCanvas::make("canvas", log);
    display->setCurrent(canvas);
    log.take();
    Display::startThreadedRepaint();
    quitFlag = true;
    Display::queueThreadedRepaint(canvas.get());
    Display::waitForThreadedRepaints();
    Display::stopThreadedRepaint();
    EXPECT_TRUE(log.take().empty());
}

}  // namespace
}  // namespace lcduitest
