// How long a touch takes to reach the screen on the OpenGL path (llvmpipe): from a touch on a key of
// the on-screen keyboard, or on a soft key, to the presented frame that shows it highlighted. Each
// touch is handled as the UI thread would, then one display tick repaints and presents; the tick
// loop adds at most one pass interval of waiting before that tick. Prints median and worst of 100.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/FrontBuffer.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/GLScreen.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int32_t PASS_INTERVAL_MS = 10;
constexpr int32_t TOUCHES = 100;

JavaPtr<java::lang::String> text(const char* value) { return java::lang::jnew<java::lang::String>(value); }

class LatencyScreen : public Screen {
    JAVA_CLASS(LatencyScreen, "latency.LatencyScreen", Screen)
public:
    void WENDinvokeconstructor() {
        Screen::WENDinvokeconstructor();
        canvas = java::lang::jnew<DisplayableCoreCanvas>();
        canvas->WENDinvokeconstructor(this);
        setCorrespondingCanvas(canvas.get());
    }
    JavaPtr<DisplayableCoreCanvas> canvas;
};

int32_t presentedRGB(int32_t x, int32_t y) {
    const platform::Frame frame = platform::latestFrame();
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return -1;
    return argbFromPixel(frame.pixels[static_cast<size_t>(y) * frame.width + x]) & 0xFFFFFF;
}

struct Stats {
    double median, worst;
};

Stats statsOf(std::vector<double> millis) {
    std::sort(millis.begin(), millis.end());
    return {millis[millis.size() / 2], millis.back()};
}

// Presses at (x, y), ticks once and answers the milliseconds until the frame was presented; the
// pixel at (probeX, probeY) must then be highlighted, or the touch counts as failed (-1).
double touchToFrame(DisplayableCoreCanvas& canvas, int32_t x, int32_t y, int32_t probeX, int32_t probeY) {
    const auto start = Clock::now();
    canvas.pointerPressed(x, y);
    Display::tickLCDUI(PASS_INTERVAL_MS);
    const double millis = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const bool highlighted = presentedRGB(probeX, probeY) == 0x0000CC;
    canvas.pointerReleased(x, y);
    Display::tickLCDUI(PASS_INTERVAL_MS);
    return highlighted ? millis : -1;
}

}  // namespace

int main() {
    lcduitest::GLScreen gl(320, 480);
    if (!lcduitest::installFont(lcduitest::sampleFont(false).bytes())) return 1;
    Display::setMasterGraphics(gl.screen);
    Display::getDisplay();
    LCDUI_staticInit();
    auto screen = java::lang::jnew<LatencyScreen>();
    screen->WENDinvokeconstructor();
    screen->setTitle(text("Latency"));
    auto ticker = java::lang::jnew<Ticker>();
    ticker->WENDinvokeconstructor(text("A ticker runs all the time"));
    screen->setTicker(ticker);
    for (const char* label : {"Back", "One", "Two"}) {
        auto command = java::lang::jnew<Command>();
        command->WENDinvokeconstructor(text(label), label[0] == 'B' ? Command::BACK : Command::SCREEN, 1);
        screen->addCommand(command);
    }
    Display::getDisplay()->setCurrent(JavaPtr<Displayable>(screen));
    OnScreenKeyboard::show();
    screen->canvas->setVerticalScrollbarVisible(true);
    screen->canvas->setVerticalHeight(2000);
    Display::tickLCDUI(0);
    Display::tickLCDUI(PASS_INTERVAL_MS);

    std::vector<double> keys, softKeys;
    int failures = 0;
    for (int32_t i = 0; i < TOUCHES; ++i) {
        JavaPtr<KeyInternal> key = OnScreenKeyboard::keyAt(15 + i % 10);
        const double millis = touchToFrame(*screen->canvas, key->x + key->width / 2, key->y + key->height / 2,
                                           key->x + 2, key->y + 2);
        failures += millis < 0;
        keys.push_back(std::max(millis, 0.0));
    }
    int32_t back[4];
    if (!TouchScreenAreaManager::areaFor(screen->canvas->getAreaBaseCode() + "backsoft", back)) return 1;
    for (int32_t i = 0; i < TOUCHES; ++i) {
        const double millis = touchToFrame(*screen->canvas, back[0] + 20, (back[1] + back[3]) / 2, back[2] - 30, back[1] + 2);
        failures += millis < 0;
        softKeys.push_back(std::max(millis, 0.0));
    }
    const Stats key = statsOf(keys), soft = statsOf(softKeys);
    std::printf("keyboard key to presented highlighted frame: median %.2f ms, worst %.2f ms (%d touches)\n",
                key.median, key.worst, TOUCHES);
    std::printf("soft key to presented highlighted frame:     median %.2f ms, worst %.2f ms (%d touches)\n",
                soft.median, soft.worst, TOUCHES);
    std::printf("plus at most %d ms waiting for the next tick pass; touches not shown highlighted: %d\n",
                PASS_INTERVAL_MS, failures);
    Display::tidyUp();
    OnScreenKeyboard::OnScreenKeyboard_staticDestroy();
    return failures == 0 ? 0 : 1;
}
