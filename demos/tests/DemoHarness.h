// Runs a demonstration MIDlet in-process, without a tick thread: a 320 x 480 software screen, the
// synthetic font, TZ=UTC and fake clocks that only tick() advances. Input enters through the
// current canvas's entries; tests read pixels, touch areas, the MIDlet's EVT lines and every call
// drawn on the screen's Graphics.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "demos/DemoEvents.h"
#include "demos/Demos.h"
#include "host/MIDlet.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"

namespace demotest {

using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

inline std::atomic<int64_t> harnessMillis{0};
inline int64_t harnessClock() { return harnessMillis.load(); }

class DemoHarness : public ::testing::Test {
protected:
    static constexpr int32_t WIDTH = 320;
    static constexpr int32_t HEIGHT = 480;

    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        harnessMillis = 1'000'000;
        java::lang::clocks::setMonotonicSource(&harnessClock);
        java::lang::clocks::setWallSource(&harnessClock);
        ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(false).bytes()));
        Display::screenWidth = WIDTH;
        Display::screenHeight = HEIGHT;
        m_pixels.assign(static_cast<size_t>(WIDTH) * HEIGHT, 0);
        master = JavaPtr<Graphics>(new lcduitest::RecordingGraphics(m_drawn));
        master->setTarget(m_pixels.data(), WIDTH, HEIGHT, WIDTH);
        master->setClip(0, 0, WIDTH, HEIGHT);
        Display::setMasterGraphics(master);
        Display::getDisplay();
        LCDUI_staticInit();
        demo::takeEvents();
    }

    void TearDown() override {
        if (midlet) java::lang::runGuarded([&] { midlet->destroyApp(true); });
        midlet = nullptr;
        Display::tidyUp();
        Display::Display_staticDestroy();
        OnScreenKeyboard::OnScreenKeyboard_staticDestroy();
        BitmapFontSystem::BitmapFontSystem_staticDestroy();
        MIDlet::quitInvoked = false;
        java::lang::clocks::setMonotonicSource(nullptr);
        java::lang::clocks::setWallSource(nullptr);
        demo::takeEvents();
    }

    // Makes the demonstration of that name and starts it; its screen shows at the first tick.
    void start(const char* name) {
        const MidletEntry* entry = demo::findDemo(name);
        ASSERT_NE(entry, nullptr) << name;
        midlet = entry->factory();
        midlet->startApp();
        tick(0);
    }
    void tick(int64_t ms) {
        harnessMillis += ms;
        LCDUI_tickLCDUI(ms);
    }

    JavaPtr<Canvas> canvas() { return Display::currentCanvas(); }
    void press(int32_t x, int32_t y) { canvas()->pointerPressed(x, y); }
    void drag(int32_t x, int32_t y) { canvas()->pointerDragged(x, y); }
    void release(int32_t x, int32_t y) { canvas()->pointerReleased(x, y); }
    void tap(int32_t x, int32_t y) {
        press(x, y);
        release(x, y);
    }
    void key(int32_t code) {
        canvas()->keyPressed(code);
        canvas()->keyReleased(code);
    }
    // Types the character as a touch on its key of the on-screen keyboard; false when no key has it.
    bool typeOnKeyboard(char ch) {
        for (int32_t index = 0; index < OnScreenKeyboard::NUM_KEYS; ++index) {
            JavaPtr<KeyInternal> k = OnScreenKeyboard::keyAt(index);
            if (!k || k->label->length() != 1 || k->label->charAt(0) != static_cast<unsigned char>(ch)) continue;
            tap(k->x + k->width / 2, k->y + k->height / 2);
            return true;
        }
        return false;
    }

    // 0xRRGGBB of the screen pixel.
    int32_t pixel(int32_t x, int32_t y) const {
        return argbFromPixel(m_pixels[static_cast<size_t>(y) * WIDTH + x]) & 0xFFFFFF;
    }
    // The chrome area of the current canvas with that suffix ("fwdsoft", "popup1", ...):
    // {x0, y0, x1, y1}, empty when not registered.
    std::vector<int32_t> area(const std::string& suffix) {
        auto core = recastObj<DisplayableCoreCanvas>(canvas());
        int32_t r[4];
        if (!core || !TouchScreenAreaManager::areaFor(core->getAreaBaseCode() + suffix.c_str(), r)) return {};
        return {r[0], r[1], r[2], r[3]};
    }
    void tapArea(const std::string& suffix) {
        const auto r = area(suffix);
        ASSERT_EQ(r.size(), 4u) << suffix;
        tap((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    }
    std::vector<std::string> events() { return demo::takeEvents(); }
    // The Graphics calls drawn since the last call, as the recording Graphics writes them.
    std::vector<std::string> drawn() { return m_drawn.take(); }

    JavaPtr<MIDlet> midlet;
    JavaPtr<Graphics> master;

private:
    lcduitest::EventLog m_drawn;
    std::vector<uint32_t> m_pixels;
};

}  // namespace demotest
