// A screen shown through a chrome canvas on a 320 x 480 display, with the synthetic font (every
// line 8 pixels high, each character it lacks 10 wide) and a fake monotonic clock.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"

namespace lcduitest {

using namespace javax::microedition::lcdui;
using Core = DisplayableCoreCanvas;

inline JavaPtr<java::lang::String> str(const char* text) { return java::lang::jnew<java::lang::String>(text); }

inline std::atomic<int64_t> fakeMillis{0};
inline int64_t fakeClock() { return fakeMillis.load(); }

// Writes every input event that reaches it, with the fake time, after the chrome has seen it.
class LoggingCoreCanvas : public DisplayableCoreCanvas {
public:
    explicit LoggingCoreCanvas(EventLog& log) : m_log(log) {}

protected:
    bool dispatchInput(InputEvent::EventType type, int32_t a, int32_t b) override {
        static const char* const names[] = {"pressed", "released", "repeated", "down", "up", "drag"};
        std::string entry = std::string(names[type]) + " " + std::to_string(a);
        if (b != -1) entry += "," + std::to_string(b);
        m_log.add(entry + " @" + std::to_string(fakeMillis.load()));
        return DisplayableCoreCanvas::dispatchInput(type, a, b);
    }

private:
    EventLog& m_log;
};

class ChromeScreen : public Screen, public CommandListener {
    JAVA_CLASS(ChromeScreen, "lcduitest.ChromeScreen", Screen, CommandListener)
public:
    explicit ChromeScreen(EventLog& log) : m_log(log) {}
    void WENDinvokeconstructor() {
        Screen::WENDinvokeconstructor();
        canvas = JavaPtr<LoggingCoreCanvas>(new LoggingCoreCanvas(m_log));
        canvas->WENDinvokeconstructor(this);
        setCorrespondingCanvas(canvas.get());
        setCommandListener(JavaPtr<CommandListener>(this));
    }
    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>&) override {
        m_log.add("command " + std::string(command->getLabel()->val()));
        if (throwOnCommand) throw java::lang::RuntimeException("listener failed");
    }

    JavaPtr<LoggingCoreCanvas> canvas;
    bool throwOnCommand = false;

private:
    EventLog& m_log;
};

class ChromeFixture : public DisplayFixture {
protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        ASSERT_TRUE(installFont(sampleFont(false).bytes()));
        fakeMillis = 0;
        java::lang::clocks::setMonotonicSource(&fakeClock);
        java::lang::clocks::setWallSource(&fakeClock);
        Core::init();
        screen = JavaPtr<ChromeScreen>(new ChromeScreen(log));
        screen->WENDinvokeconstructor();
    }
    void TearDown() override {
        screen = nullptr;
        DisplayFixture::TearDown();
        OnScreenKeyboard::OnScreenKeyboard_staticDestroy();
        BitmapFontSystem::BitmapFontSystem_staticDestroy();
        java::lang::clocks::setMonotonicSource(nullptr);
        java::lang::clocks::setWallSource(nullptr);
    }

    // A fresh display and screen, for tables whose cases each need one.
    void reset() {
        TearDown();
        SetUp();
    }
    JavaPtr<Command> command(const char* label, int32_t type, int32_t priority = 1) {
        auto made = java::lang::jnew<Command>();
        made->WENDinvokeconstructor(str(label), type, priority);
        return made;
    }
    JavaPtr<Command> add(const char* label, int32_t type, int32_t priority = 1) {
        auto made = command(label, type, priority);
        screen->addCommand(made);
        return made;
    }
    // Shows the screen and runs the first tick, which lays it out and paints it.
    void show() {
        display->setCurrent(JavaPtr<Displayable>(screen));
        Display::tickLCDUI(0);
        log.take();
    }
    void tick(int64_t ms) {
        fakeMillis += ms;
        Display::tickLCDUI(ms);
    }
    void key(int32_t code) {
        screen->canvas->keyPressed(code);
        screen->canvas->keyReleased(code);
    }
    void tap(int32_t x, int32_t y) {
        screen->canvas->pointerPressed(x, y);
        screen->canvas->pointerReleased(x, y);
    }
    // The centre of a registered chrome area; fails the test when it is not registered.
    std::pair<int32_t, int32_t> centreOf(const char* suffix) {
        int32_t r[4] = {};
        EXPECT_TRUE(TouchScreenAreaManager::areaFor(screen->canvas->getAreaBaseCode() + suffix, r)) << suffix;
        return {(r[0] + r[2]) / 2, (r[1] + r[3]) / 2};
    }
    std::vector<int32_t> unreserved() {
        auto out = java::lang::jnew<JArray<int32_t>>(4);
        screen->canvas->getUnreservedArea(out);
        return {(*out)[0], (*out)[1], (*out)[2], (*out)[3]};
    }

    JavaPtr<ChromeScreen> screen;
};

}  // namespace lcduitest
