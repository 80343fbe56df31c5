// The chrome's input: key repeat on the fake clock, input held back while the LCDUI lock is busy,
// the soft keys and the popup by key and by touch, the scroll bar, and failing listeners.
#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

using Log = std::vector<std::string>;

class ChromeInputTest : public ChromeFixture {
protected:
    std::vector<std::string> commandsFired() {
        std::vector<std::string> fired;
        for (const std::string& entry : log.take())
            if (entry.rfind("command ", 0) == 0) fired.push_back(entry.substr(8));
        return fired;
    }
};

TEST_F(ChromeInputTest, AHeldKeyRepeatsAfterASecondThenEveryHundredAndFiftyOnFiftyMillisecondChecks) {
    show();
    screen->canvas->keyPressed(Core::KEY_FIRE);
    log.take();
    for (int i = 0; i < 30; ++i) tick(50);
    EXPECT_EQ(log.take(), (Log{"repeated -5 @1050", "repeated -5 @1200", "repeated -5 @1350", "repeated -5 @1500"}));
    screen->canvas->keyReleased(Core::KEY_FIRE);
    for (int i = 0; i < 10; ++i) tick(50);
    EXPECT_EQ(log.take(), (Log{"released -5 @1500"})) << "no repeat after the release";
}

TEST_F(ChromeInputTest, InputMeetingABusyLockWaitsAndIsReplayedInOrderAtTheTick) {
    add("Go", Command::SCREEN);
    show();
    std::mutex gate;
    std::condition_variable changed;
    bool held = false, letGo = false;
    std::thread holder([&] {
        std::lock_guard lcdui(Canvas::paintLock());
        std::unique_lock lock(gate);
        held = true;
        changed.notify_all();
        changed.wait(lock, [&] { return letGo; });
    });
    {
        std::unique_lock lock(gate);
        changed.wait(lock, [&] { return held; });
    }
    key(Core::KEY_SOFTKEY_RIGHT);
    tap(5, 5);
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 4);
    EXPECT_TRUE(log.take().empty()) << "nothing handled while the lock is busy";
    {
        std::lock_guard lock(gate);
        letGo = true;
    }
    changed.notify_all();
    holder.join();
    screen->canvas->keyPressed(Core::KEY_NUM0);
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 5) << "later input queues behind the waiting events";
    tick(10);
    EXPECT_EQ(log.take(), (Log{"pressed -7 @10", "released -7 @10", "command Go", "down 5,5 @10", "up 5,5 @10",
                               "pressed 48 @10"}));
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 0);
}

// A stroke of drags far longer than the buffer with a key held across it, then a second stroke:
// drags collapse into the latest, the buffer stays bounded, and every press ends.
TEST_F(ChromeInputTest, AFullBufferCollapsesDragsAndEveryPressStillEnds) {
    show();
    Display::lcdUITickInProgress = true;
    constexpr int32_t END = 10 + 3 * Core::EVENT_BUFFER_LIMIT;
    screen->canvas->keyPressed(Core::KEY_NUM1);
    for (int32_t stroke = 0; stroke < 2; ++stroke) {
        screen->canvas->pointerPressed(10, 10);
        for (int32_t y = 11; y <= END; ++y) screen->canvas->pointerDragged(10 + stroke, y);
        screen->canvas->pointerReleased(10 + stroke, END);
        if (stroke == 0) screen->canvas->keyReleased(Core::KEY_NUM1);
    }
    EXPECT_LE(screen->canvas->getEventBufferCount(), Core::EVENT_BUFFER_LIMIT + 5);
    Display::lcdUITickInProgress = false;
    for (int i = 0; i < 30; ++i) tick(50);
    const Log entries = log.take();
    // A lost key release would end the log with repeats.
    const std::string end = std::to_string(END) + " @50";
    ASSERT_GE(entries.size(), 6u);
    EXPECT_EQ(Log(entries.end() - 6, entries.end()), (Log{"drag 10," + end, "up 10," + end, "released 49 @50",
                                                          "down 10,10 @50", "drag 11," + end, "up 11," + end}));
}

TEST_F(ChromeInputTest, InputHeldBackForAScreenThatLeavesIsDropped) {
    add("Go", Command::SCREEN);
    show();
    Display::lcdUITickInProgress = true;
    key(Core::KEY_SOFTKEY_RIGHT);
    Display::lcdUITickInProgress = false;
    display->setCurrent(JavaPtr<Displayable>(RecordingCanvas::make("other", log)));
    tick(10);
    display->setCurrent(JavaPtr<Displayable>(screen));
    tick(10);
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 0);
    EXPECT_TRUE(commandsFired().empty());
}

// No press outlives the screen leaving: one handled before, by key or by the on-screen keyboard,
// with its release held back behind a tick, ends with the screen change; a key press that reaches
// the screen once it is hidden (the host picked it as current just before the change), at once or
// held back behind a tick, is not taken, whether its release goes to the screen shown instead or
// never comes.
TEST_F(ChromeInputTest, NoPressOutlivesTheScreenLeaving) {
    const int32_t letterA = 28;
    enum class Press { BEFORE_LEAVING, ONCE_HIDDEN, HELD_BACK_ONCE_HIDDEN };
    struct Case {
        const char* name;
        bool onKeyboard;
        Press when;
        bool releaseToOther;
    };
    for (const Case c : {Case{"key, release held back", false, Press::BEFORE_LEAVING, false},
                         Case{"keyboard, release held back", true, Press::BEFORE_LEAVING, false},
                         Case{"key once hidden, released on the other", false, Press::ONCE_HIDDEN, true},
                         Case{"key once hidden, never released", false, Press::ONCE_HIDDEN, false},
                         Case{"key held back once hidden, released on the other", false,
                              Press::HELD_BACK_ONCE_HIDDEN, true}}) {
        reset();
        show();
        OnScreenKeyboard::show();
        OnScreenKeyboard::setBottomY(400);
        const auto key = OnScreenKeyboard::keyAt(letterA);
        const int32_t x = key->x + key->width / 2, y = key->y + key->height / 2;
        auto press = [&](Canvas& canvas) {
            if (c.onKeyboard) {
                canvas.pointerPressed(x, y);
            } else {
                canvas.keyPressed(Core::KEY_NUM1);
            }
        };
        auto release = [&](Canvas& canvas) {
            if (c.onKeyboard) {
                canvas.pointerReleased(x, y);
            } else {
                canvas.keyReleased(Core::KEY_NUM1);
            }
        };
        auto other = RecordingCanvas::make("other", log);
        if (c.when == Press::BEFORE_LEAVING) {
            press(*screen->canvas);
            Display::lcdUITickInProgress = true;
            release(*screen->canvas);
            Display::lcdUITickInProgress = false;
        }
        display->setCurrent(JavaPtr<Displayable>(other));
        tick(10);
        if (c.when != Press::BEFORE_LEAVING) {
            Display::lcdUITickInProgress = c.when == Press::HELD_BACK_ONCE_HIDDEN;
            press(*screen->canvas);
            Display::lcdUITickInProgress = false;
            if (c.releaseToOther) release(*other);
            tick(10);
        }
        display->setCurrent(JavaPtr<Displayable>(screen));
        for (int i = 0; i < 40; ++i) tick(50);
        // A keyboard key still held would take a release from anywhere on the keyboard.
        OnScreenKeyboard::pointerReleased(x, y);
        Log stale;
        for (const std::string& entry : log.take())
            if (entry.rfind("repeated", 0) == 0 || entry.rfind("released", 0) == 0) stale.push_back(entry);
        EXPECT_TRUE(stale.empty()) << c.name << ": " << stale.size() << " from " << stale.front();
    }
}

TEST_F(ChromeInputTest, ThePopupOpensByKeyWrapsAndFiresTheSelectedRow) {
    add("One", Command::SCREEN, 1);
    add("Two", Command::SCREEN, 2);
    add("Three", Command::SCREEN, 3);
    show();
    Core& canvas = *screen->canvas;
    key(Core::KEY_SOFTKEY_RIGHT);
    EXPECT_TRUE(canvas.isPopupOpen());
    EXPECT_EQ(canvas.getPopupSelection(), 0);
    for (int i = 0; i < 3; ++i) key(Core::KEY_DOWN);
    EXPECT_EQ(canvas.getPopupSelection(), 0) << "three steps down wrap round";
    key(Core::KEY_UP);
    EXPECT_EQ(canvas.getPopupSelection(), 2);
    log.take();
    key(Core::KEY_FIRE);
    EXPECT_FALSE(canvas.isPopupOpen());
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"Three"}));
}

TEST_F(ChromeInputTest, APopupOpenedByKeyIsRepaintedWithRowsThatTakeTouches) {
    add("One", Command::SCREEN, 1);
    add("Two", Command::SCREEN, 2);
    show();
    key(Core::KEY_SOFTKEY_RIGHT);
    EXPECT_TRUE(screen->canvas->needsRepaint());
    tick(10);
    const auto [x, y] = centreOf("popup1");
    log.take();
    tap(x, y);
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"Two"}));
    EXPECT_FALSE(screen->canvas->isPopupOpen());
}

TEST_F(ChromeInputTest, OnlyRowsOfTheOpenPopupsCurrentListAct) {
    add("One", Command::SCREEN, 1);
    auto two = add("Two", Command::SCREEN, 2);
    add("Three", Command::SCREEN, 3);
    show();
    Core& canvas = *screen->canvas;
    key(Core::KEY_SOFTKEY_RIGHT);
    key(Core::KEY_UP);
    ASSERT_EQ(canvas.getPopupSelection(), 2);
    screen->removeCommand(two);
    log.take();
    // A touch event for a row the rebuilt list no longer has fires nothing.
    canvas.touchscreenAreaEvent(canvas.getAreaBaseCode() + "popup2", TouchScreenAreaListener::RELEASE, 1, 1, -1, -1,
                                true);
    EXPECT_TRUE(commandsFired().empty());
    key(Core::KEY_FIRE);
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"Three"})) << "the selection moved into the shorter list";
    canvas.touchscreenAreaEvent(canvas.getAreaBaseCode() + "popup0", TouchScreenAreaListener::RELEASE, 1, 1, -1, -1,
                                true);
    EXPECT_TRUE(commandsFired().empty()) << "a closed popup's rows fire nothing";
}

TEST_F(ChromeInputTest, ARowOfThePopupOverTheScrollBarTakesTheTouch) {
    add("A", Command::SCREEN, 1);
    add("B", Command::SCREEN, 2);
    show();
    Core& canvas = *screen->canvas;
    canvas.setVerticalScrollbarVisible(true);
    canvas.setVerticalHeight(2000);
    canvas.setVerticalScrollPos(500);
    tick(10);
    key(Core::KEY_SOFTKEY_RIGHT);
    tick(10);
    int32_t row[4] = {};
    ASSERT_TRUE(TouchScreenAreaManager::areaFor(canvas.getAreaBaseCode() + "popup1", row));
    log.take();
    tap(row[2] - 3, (row[1] + row[3]) / 2);
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(canvas.getVerticalScrollPos(), 500);
}

TEST_F(ChromeInputTest, TheScrollBarArrowsStepTenPixelsAndStopAtTheTop) {
    show();
    Core& canvas = *screen->canvas;
    canvas.setVerticalScrollbarVisible(true);
    canvas.setVerticalHeight(960);
    canvas.setVerticalScrollPos(4);
    tick(10);
    tap(centreOf("scrollup").first, centreOf("scrollup").second);
    EXPECT_EQ(canvas.getVerticalScrollPos(), 0);
    tap(centreOf("scrolldown").first, centreOf("scrolldown").second);
    EXPECT_EQ(canvas.getVerticalScrollPos(), 10);
}

TEST_F(ChromeInputTest, AThumbOnATrackWithNoHeightDoesNotDrag) {
    Display::screenHeight = 40;
    screen->setTitle(str("T"));
    add("Exit", Command::EXIT);
    show();
    Core& canvas = *screen->canvas;
    canvas.setVerticalScrollbarVisible(true);
    canvas.setVerticalHeight(500);
    tick(10);
    const auto box = canvas.getAreaBaseCode() + "scrollbarbox";
    canvas.touchscreenAreaEvent(box, TouchScreenAreaListener::PRESS, 0, 0, -1, -1, true);
    canvas.touchscreenAreaEvent(box, TouchScreenAreaListener::DRAG, 0, 30, 0, 30, true);
    EXPECT_EQ(canvas.getVerticalScrollPos(), 0);
}

TEST_F(ChromeInputTest, AFailingListenerLeavesNoFlagSetAndTheScreenKeepsTicking) {
    add("Go", Command::SCREEN);
    show();
    screen->throwOnCommand = true;
    key(Core::KEY_SOFTKEY_RIGHT);
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"Go"}));
    EXPECT_EQ(Display::lcdUIEventInProgress, 0);
    screen->canvas->setNeedsRepaint();
    tick(10);
    EXPECT_FALSE(screen->canvas->needsRepaint()) << "the tick still repaints";
    EXPECT_FALSE(screen->canvas->isPopupOpen());
}

TEST_F(ChromeInputTest, APaintThatThrowsHoldsNoInputBack) {
    add("Go", Command::SCREEN);
    show();
    struct FailingGraphics : Graphics {
        void setClip(int32_t, int32_t, int32_t, int32_t) override { throw java::lang::RuntimeException("paint failed"); }
    };
    screen->canvas->setGraphicsField(JavaPtr<Graphics>(new FailingGraphics()));
    Display::lcdUITickInProgress = true;
    key(Core::KEY_SOFTKEY_RIGHT);
    Display::lcdUITickInProgress = false;
    screen->canvas->setNeedsRepaint();
    tick(10);
    EXPECT_EQ(commandsFired(), (std::vector<std::string>{"Go"}));
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 0);
    EXPECT_FALSE(Canvas::midRepaint);
}

TEST_F(ChromeInputTest, ARelayoutDuringARepaintOnTheSameThreadDoesNotWaitForIt) {
    show();
    bool relaidOut = false;
    // The title changes from inside the paint, as a serial call made during a repaint would.
    struct TitleOnPaint : RecordingGraphics {
        using RecordingGraphics::RecordingGraphics;
        std::function<void()> onClip;
        void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override {
            RecordingGraphics::setClip(x, y, w, h);
            if (onClip) std::exchange(onClip, nullptr)();
        }
    };
    JavaPtr<TitleOnPaint> graphics(new TitleOnPaint(log));
    graphics->onClip = [&] {
        screen->setTitle(str("Changed"));
        relaidOut = true;
    };
    screen->canvas->setGraphicsField(graphics);
    screen->canvas->setNeedsRepaint();
    tick(10);
    EXPECT_TRUE(relaidOut);
    EXPECT_EQ(unreserved()[1], 12);
    EXPECT_TRUE(screen->canvas->needsRepaint()) << "the areas it dropped come back at the next paint";
}

}  // namespace
}  // namespace lcduitest
