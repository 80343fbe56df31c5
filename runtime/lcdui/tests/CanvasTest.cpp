// Painting, presenting, visibility, key tables and key states of canvases.
#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/GameCanvas.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/tests/FakePlatformBridge.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"

namespace lcduitest {
namespace {

using javax::microedition::lcdui::Command;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::expectedKeypressID;
using javax::microedition::lcdui::game::GameCanvas;
using Log = std::vector<std::string>;

using CanvasTest = DisplayFixture;

TEST_F(CanvasTest, RepaintPaintsAtOnceWithTheClipAndPresents) {
    auto canvas = RecordingCanvas::make("c", log);
    display->setCurrent(canvas);
    log.take();
    const int presented = framesPresented;

    canvas->repaint(1, 2, 3, 4);
    EXPECT_EQ(log.take(), (Log{"setClip 1,2,3,4", "paint c"}));
    EXPECT_EQ(framesPresented, presented + 1);
    canvas->serviceRepaints();

    canvas->repaint();
    EXPECT_EQ(log.take(), (Log{"setClip 0,0,320,480", "paint c"}));
    EXPECT_FALSE(Canvas::midRepaint);
}

TEST_F(CanvasTest, AfterTheQuitFlagNothingIsPaintedAndNoSerialCallRuns) {
    auto canvas = RecordingCanvas::make("c", log);
    display->setCurrent(canvas);
    JavaPtr<CountingRunnable> call(new CountingRunnable("call", log));
    display->callSerially(call);
    log.take();
    const int presented = framesPresented;

    quitFlag = true;
    canvas->repaint();
    canvas->repaintReal(0, 0, 10, 10);
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(framesPresented, presented);
    EXPECT_EQ(call->runs, 0);
    EXPECT_FALSE(Canvas::midRepaint);
}

TEST_F(CanvasTest, FlushGraphicsPresentsOnlyWhenShown) {
    auto shown = RecordingCanvas::make("shown", log);
    auto former = RecordingCanvas::make("former", log);
    auto never = RecordingCanvas::make("never", log);
    display->setCurrent(former);
    display->setCurrent(shown);
    Display::tickLCDUI(50);

    struct Case {
        const char* name;
        JavaPtr<RecordingCanvas> canvas;
        bool interrupted;
        bool presents;
    };
    const Case cases[] = {
        {"current", shown, false, true},
        {"currentWhileInterrupted", shown, true, false},
        {"formerlyCurrentWithGraphics", former, false, false},
        {"neverCurrent", never, false, false},
    };
    for (const Case& c : cases) {
        Displayable::isInterrupted = c.interrupted;
        const int presented = framesPresented;
        c.canvas->flushGraphics(10, 10, 5, 5);
        EXPECT_EQ(framesPresented, presented + (c.presents ? 1 : 0)) << c.name;
        EXPECT_EQ(c.canvas->isShown(), c.presents) << c.name;
    }
    EXPECT_TRUE(former->getGraphics() == master);
    EXPECT_EQ(never->getGraphics(), nullptr);
}

TEST_F(CanvasTest, ACanvasWithNoOutsideReferenceIsReleased) {
    bool destroyed = false;
    auto canvas = RecordingCanvas::make("c", log, &destroyed);
    EXPECT_TRUE(canvas->getCorrespondingCanvas() == canvas);
    canvas = nullptr;
    EXPECT_TRUE(destroyed);

    bool shownDestroyed = false;
    auto shown = RecordingCanvas::make("s", log, &shownDestroyed);
    display->setCurrent(shown);
    shown = nullptr;
    EXPECT_FALSE(shownDestroyed) << "the Display holds the current canvas";
    Display::tidyUp();
    EXPECT_TRUE(shownDestroyed);
}

TEST_F(CanvasTest, KeyCodeTable) {
    const std::pair<int32_t, int32_t> table[] = {
        {0, 48}, {5, 53}, {9, 57}, {10, 35}, {11, 42}, {12, -8}, {14, -236}, {15, -237}, {16, -3},
        {17, -4}, {18, -1}, {19, -2}, {20, -5}, {24, -6}, {25, -7}, {26, -234}, {27, -235}, {28, -238},
        {65536, 0}, {13, -1}, {21, -1}, {-1, -1}, {29, -1},
    };
    for (auto [key, code] : table) EXPECT_EQ(expectedKeypressID(key), code) << key;
}

TEST_F(CanvasTest, GameActionsKeyCodesAndKeyNames) {
    auto canvas = RecordingCanvas::make("c", log);
    const std::pair<int32_t, int32_t> actions[] = {
        {-1, Canvas::UP}, {-2, Canvas::DOWN}, {-3, Canvas::LEFT}, {-4, Canvas::RIGHT}, {-5, Canvas::FIRE},
        {49, 0}, {-6, 0}, {0, 0},
    };
    for (auto [code, action] : actions) {
        EXPECT_EQ(canvas->getGameAction(code), action) << code;
        EXPECT_EQ(Canvas::getGameActionInternal(code), action) << code;
    }

    const std::pair<int32_t, int32_t> codes[] = {
        {Canvas::UP, -1}, {Canvas::DOWN, -2}, {Canvas::LEFT, -3}, {Canvas::RIGHT, -4}, {Canvas::FIRE, -5},
        {Canvas::GAME_A, 0}, {0, 0},
    };
    for (auto [action, code] : codes) EXPECT_EQ(canvas->getKeyCode(action), code) << action;

    const std::pair<int32_t, const char*> names[] = {{35, "#"}, {42, "*"}, {48, "0"}, {53, "5"}, {57, "9"}, {-1, ""},
                                                     {58, ""}};
    for (auto [code, name] : names)
        EXPECT_TRUE(canvas->getKeyName(code)->equals(JavaPtr<java::lang::String>(new java::lang::String(name))))
            << code;
}

TEST_F(CanvasTest, GameCanvasKeyStatesFollowPressAndRelease) {
    JavaPtr<GameCanvas> game(new GameCanvas());
    game->WENDinvokeconstructor();
    struct Step {
        bool press;
        int32_t keyCode;
        int32_t states;
    };
    const Step steps[] = {
        {true, -5, 256}, {true, -1, 258}, {true, 50, 258}, {false, -5, 2}, {true, -3, 6},
        {true, -4, 38},  {true, -2, 102}, {false, -1, 100}, {false, -2, 36}, {false, -3, 32}, {false, -4, 0},
    };
    for (const Step& s : steps) {
        s.press ? game->keyPressed(s.keyCode) : game->keyReleased(s.keyCode);
        EXPECT_EQ(game->getKeyStates(), s.states) << s.keyCode;
    }
}

TEST_F(CanvasTest, CommandsAreKeptOnceAndHolesAreReused) {
    auto canvas = RecordingCanvas::make("c", log);
    auto make = [] {
        JavaPtr<Command> command(new Command());
        command->WENDinvokeconstructor(JavaPtr<java::lang::String>(new java::lang::String("x")), Command::OK, 1);
        return command;
    };
    auto first = make();
    auto second = make();
    EXPECT_EQ(canvas->getCommands(), nullptr);
    EXPECT_FALSE(Displayable::removeCommand(canvas->getCommands(), first));
    canvas->addCommand(first);
    auto commands = canvas->getCommands();
    ASSERT_NE(commands, nullptr);
    EXPECT_FALSE(Displayable::addCommand(commands, first));
    EXPECT_TRUE(Displayable::addCommand(commands, second));
    EXPECT_EQ(commands->length, 2);
    EXPECT_TRUE(Displayable::removeCommand(commands, first));
    EXPECT_FALSE(Displayable::removeCommand(commands, first));
    int32_t freeSlot = 7;
    EXPECT_EQ(Displayable::findCommandIndex(commands, second, &freeSlot), 1);
    EXPECT_EQ(freeSlot, 0);
    canvas->addCommand(first);
    EXPECT_EQ(commands->length, 2);
    EXPECT_TRUE((*commands)[0] == first);
    EXPECT_THROW(canvas->addCommand(JavaPtr<Command>()), java::lang::NullPointerException);
}

// The tick thread's repaint and the application's paint share the master Graphics.
TEST_F(CanvasTest, OnlyOneThreadPaintsAtATime) {
    auto canvas = RecordingCanvas::make("c", log);
    display->setCurrent(canvas);
    std::atomic<int> painting{0};
    std::atomic<int> mostAtOnce{0};
    canvas->onPaint = [&] {
        const int now = ++painting;
        int seen = mostAtOnce;
        while (now > seen && !mostAtOnce.compare_exchange_weak(seen, now)) {}
        std::this_thread::yield();
        --painting;
    };
    std::latch start(2);
    auto painter = [&] {
        start.arrive_and_wait();
        for (int i = 0; i < 300; ++i) canvas->repaint();
    };
    std::thread first(painter);
    std::thread second(painter);
    first.join();
    second.join();
    EXPECT_EQ(mostAtOnce, 1);
}

TEST(RecordingGraphicsTest, RecordsEachCallOnceWithItsArgumentsAndStillDraws) {
    EventLog log;
    JavaPtr<RecordingGraphics> g(new RecordingGraphics(log));
    std::vector<uint32_t> pixels(8 * 8, 0);
    g->setTarget(pixels.data(), 8, 8, 8);
    g->setClip(0, 0, 8, 8);
    g->setColor(255, 0, 0);
    g->setGrayScale(16);
    g->setColor(0x00FF00);
    g->fillRect(1, 1, 2, 2);
    g->drawString(java::lang::jnew<String>("A\\u00e9"), 3, 4, Graphics::TOP | Graphics::LEFT);
    g->drawChar(u'x', 0, 0, Graphics::TOP | Graphics::LEFT);
    g->setFont(javax::microedition::lcdui::Font::getFont(0, 1, 16));
    g->translate(1, 2);
    const Log entries = log.take();
    EXPECT_EQ(entries, (Log{"setClip 0,0,8,8", "setColor 255,0,0", "setGrayScale 16", "setColor 0x00ff00", "fillRect 1,1,2,2",
                            "drawString \"A\\u00E9\",3,4,20", "drawChar \"x\",0,0,20", "setFont 0,1,16",
                            "translate 1,2"}));
    EXPECT_EQ((callsNamed(entries, {"fillRect", "translate"})), (Log{"fillRect 1,1,2,2", "translate 1,2"}));
    EXPECT_EQ(pixels[1 * 8 + 1] & 0xFFFFFFu, 0x00FF00u);
}

}  // namespace
}  // namespace lcduitest
