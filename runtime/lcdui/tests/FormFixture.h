// A form shown on a 320 x 480 software screen with the synthetic font (lines 8 high, every letter
// the font lacks 10 wide, so "a" to "w" make a fixed-width font), fake clocks, and a custom item
// whose sizes, traversal and events a test sets and reads.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "runtime/lang/Clocks.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/forms/CustomItem.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ImageItem.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"

namespace formtest {

using namespace javax::microedition::lcdui;
using java::lang::jnew;
using java::lang::String;
using Core = DisplayableCoreCanvas;

inline JavaPtr<String> str(const char* text) { return text ? jnew<String>(text) : nullptr; }

inline std::atomic<int64_t> formMillis{0};
inline int64_t formClock() { return formMillis.load(); }
inline std::atomic<int32_t> destroyedItems{0};

// A custom item of a fixed content size that logs its events and may keep the traversal.
class Box : public CustomItem {
    JAVA_CLASS(Box, "formtest.Box", CustomItem)
public:
    Box(int32_t width, int32_t height) : width(width), height(height), minWidth(width), minHeight(height) {}
    ~Box() override { ++destroyedItems; }
    int32_t getMinContentWidth() override { return minWidth; }
    int32_t getMinContentHeight() override { return minHeight; }
    int32_t getPrefContentWidth(int32_t) override { return width; }
    int32_t getPrefContentHeight(int32_t) override { return height; }
    using CustomItem::paint;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override {
        g->drawLine(0, 0, w + 10, h + 10);
        painted = std::to_string(w) + "x" + std::to_string(h);
    }
    void pointerPressed(int32_t x, int32_t y) override { events.push_back("press " + at(x, y)); }
    void pointerReleased(int32_t x, int32_t y) override { events.push_back("release " + at(x, y)); }
    void keyPressed(int32_t key) override { events.push_back("key " + std::to_string(key)); }
    bool traverse(int32_t dir, int32_t, int32_t, const JavaPtr<JArray<int32_t>>&) override {
        events.push_back("traverse " + std::to_string(dir));
        return keepTraversals-- > 0;
    }
    void traverseOut() override {
        events.push_back("out");
        CustomItem::traverseOut();
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }

    int32_t width, height, minWidth, minHeight;
    int32_t keepTraversals = 0;
    std::string painted;
    std::vector<std::string> events;

private:
    static std::string at(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }
};

inline JavaPtr<Box> box(int32_t width, int32_t height, int32_t layout = 0, const char* label = nullptr) {
    auto made = JavaPtr<Box>(new Box(width, height));
    made->WENDinvokeconstructor(str(label));
    made->setLayout(layout);
    return made;
}

inline JavaPtr<StringItem> text(const char* value, const char* label = nullptr) {
    auto made = jnew<StringItem>();
    made->WENDinvokeconstructor(str(label), str(value));
    return made;
}

inline JavaPtr<Command> command(const char* label, int32_t type = Command::ITEM) {
    auto made = jnew<Command>();
    made->WENDinvokeconstructor(str(label), type, 1);
    return made;
}

class FormFixture : public lcduitest::DisplayFixture {
protected:
    static constexpr int32_t WIDTH = 320;
    static constexpr int32_t HEIGHT = 480;

    void SetUp() override {
        DisplayFixture::SetUp();
        ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(false).bytes()));
        formMillis = 0;
        java::lang::clocks::setMonotonicSource(&formClock);
        java::lang::clocks::setWallSource(&formClock);
        Core::init();
        m_pixels.assign(static_cast<size_t>(WIDTH) * HEIGHT, 0);
        master->setTarget(m_pixels.data(), WIDTH, HEIGHT, WIDTH);
        master->setClip(0, 0, WIDTH, HEIGHT);
        form = makeForm(nullptr);
    }
    void TearDown() override {
        form = nullptr;
        DisplayFixture::TearDown();
        Form::tidyUp();
        OnScreenKeyboard::OnScreenKeyboard_staticDestroy();
        BitmapFontSystem::BitmapFontSystem_staticDestroy();
        java::lang::clocks::setMonotonicSource(nullptr);
        java::lang::clocks::setWallSource(nullptr);
    }

    static JavaPtr<Form> makeForm(const char* title, const JavaPtr<JArray<Item>>& items = nullptr) {
        auto made = jnew<Form>();
        made->WENDinvokeconstructor(str(title), items);
        return made;
    }
    // Makes the form current; the first tick lays it out and paints it.
    void show() {
        display->setCurrent(JavaPtr<Displayable>(form));
        tick();
        log.take();
    }
    void tick() {
        formMillis += 10;
        Display::tickLCDUI(10);
    }
    JavaPtr<FormCanvas> canvas() { return form->formCanvas(); }
    void key(int32_t code) {
        canvas()->keyPressed(code);
        canvas()->keyReleased(code);
    }
    void tap(int32_t x, int32_t y) {
        canvas()->pointerPressed(x, y);
        canvas()->pointerReleased(x, y);
    }
    int32_t highlightedIndex() {
        JavaPtr<Item> item = form->highlightedItem();
        return item ? form->m_indexForItem(item) : -1;
    }
    // The label on the forward soft key, "" when it holds nothing.
    std::string forwardLabel() {
        JavaPtr<Command> forward = canvas()->getForwardCommand();
        return forward ? forward->getLabel()->val() : "";
    }
    int32_t pixel(int32_t x, int32_t y) const {
        return argbFromPixel(m_pixels[static_cast<size_t>(y) * WIDTH + x]) & 0xFFFFFF;
    }

    JavaPtr<Form> form;

private:
    std::vector<uint32_t> m_pixels;
};

}  // namespace formtest
