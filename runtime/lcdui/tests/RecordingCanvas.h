// A canvas and a Graphics that write what happens to them into one shared log, and a runnable that
// counts its runs, for the display tests and for any test that checks what was drawn.
#pragma once

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/lang/Runnable.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Displayable.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/tests/FakePlatformBridge.h"
#include "runtime/text/String.h"

namespace lcduitest {

using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Font;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using java::lang::String;
using java::lang::jchar;

class EventLog {
public:
    void add(std::string entry) {
        std::lock_guard guard(m_lock);
        m_entries.push_back(std::move(entry));
    }
    std::vector<std::string> take() {
        std::lock_guard guard(m_lock);
        return std::exchange(m_entries, {});
    }

private:
    std::mutex m_lock;
    std::vector<std::string> m_entries;
};

// Records every drawing call, colour, font, clip and translation as "name arg,arg,..." (the Graphics
// method's own name and arguments: text in quotes, an image as WxH, a font as face,style,size, a colour
// given as one number as 0xrrggbb), then draws it as usual. Calls the base class makes to itself while serving one are not
// recorded, so each entry is one call the code under test made.
class RecordingGraphics : public Graphics {
public:
    explicit RecordingGraphics(EventLog& log) : m_log(log) {}

    void drawChars(const JavaPtr<JArray<jchar>>& data, int32_t offset, int32_t length, int32_t x, int32_t y,
                   int32_t anchor) override {
        std::u16string text;
        if (data && offset >= 0 && length > 0 && static_cast<int64_t>(offset) + length <= data->length)
            text.assign(data->data + offset, static_cast<size_t>(length));
        Scope scope(*this, "drawChars", quoted(text), offset, length, x, y, anchor);
        Graphics::drawChars(data, offset, length, x, y, anchor);
    }
    void clipRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Scope scope(*this, "clipRect", x, y, w, h);
        Graphics::clipRect(x, y, w, h);
    }
    void copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                  int32_t anchor) override {
        Scope scope(*this, "copyArea", xSrc, ySrc, w, h, xDest, yDest, anchor);
        Graphics::copyArea(xSrc, ySrc, w, h, xDest, yDest, anchor);
    }
    void drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) override {
        Scope scope(*this, "drawArc", x, y, w, h, startAngle, arcAngle);
        Graphics::drawArc(x, y, w, h, startAngle, arcAngle);
    }
    void drawChar(jchar c, int32_t x, int32_t y, int32_t anchor) override {
        Scope scope(*this, "drawChar", quoted(std::u16string(1, c)), x, y, anchor);
        Graphics::drawChar(c, x, y, anchor);
    }
    void drawImage(const JavaPtr<Image>& img, int32_t x, int32_t y, int32_t anchor) override {
        Scope scope(*this, "drawImage", describe(img), x, y, anchor);
        Graphics::drawImage(img, x, y, anchor);
    }
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
        Scope scope(*this, "drawLine", x1, y1, x2, y2);
        Graphics::drawLine(x1, y1, x2, y2);
    }
    void drawRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Scope scope(*this, "drawRect", x, y, w, h);
        Graphics::drawRect(x, y, w, h);
    }
    void drawRegion(const JavaPtr<Image>& src, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height,
                    int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor) override {
        Scope scope(*this, "drawRegion", describe(src), xSrc, ySrc, width, height, transform, xDest, yDest, anchor);
        Graphics::drawRegion(src, xSrc, ySrc, width, height, transform, xDest, yDest, anchor);
    }
    void drawRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                 int32_t w, int32_t h, bool processAlpha) override {
        Scope scope(*this, "drawRGB", offset, scanlength, x, y, w, h, processAlpha ? "true" : "false");
        Graphics::drawRGB(rgbData, offset, scanlength, x, y, w, h, processAlpha);
    }
    void drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight) override {
        Scope scope(*this, "drawRoundRect", x, y, w, h, arcWidth, arcHeight);
        Graphics::drawRoundRect(x, y, w, h, arcWidth, arcHeight);
    }
    void drawString(const JavaPtr<String>& s, int32_t x, int32_t y, int32_t anchor) override {
        Scope scope(*this, "drawString", quoted(s), x, y, anchor);
        Graphics::drawString(s, x, y, anchor);
    }
    void drawSubstring(const JavaPtr<String>& s, int32_t offset, int32_t len, int32_t x, int32_t y,
                       int32_t anchor) override {
        Scope scope(*this, "drawSubstring", quoted(s), offset, len, x, y, anchor);
        Graphics::drawSubstring(s, offset, len, x, y, anchor);
    }
    void fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) override {
        Scope scope(*this, "fillArc", x, y, w, h, startAngle, arcAngle);
        Graphics::fillArc(x, y, w, h, startAngle, arcAngle);
    }
    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Scope scope(*this, "fillRect", x, y, w, h);
        Graphics::fillRect(x, y, w, h);
    }
    void fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight) override {
        Scope scope(*this, "fillRoundRect", x, y, w, h, arcWidth, arcHeight);
        Graphics::fillRoundRect(x, y, w, h, arcWidth, arcHeight);
    }
    void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) override {
        Scope scope(*this, "fillTriangle", x1, y1, x2, y2, x3, y3);
        Graphics::fillTriangle(x1, y1, x2, y2, x3, y3);
    }
    void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override {
        Scope scope(*this, "setClip", x, y, w, h);
        Graphics::setClip(x, y, w, h);
    }
    void setColor(int32_t rgb) override {
        Scope scope(*this, "setColor", hex(rgb));
        Graphics::setColor(rgb);
    }
    void setColor(int32_t r, int32_t g, int32_t b) override {
        Scope scope(*this, "setColor", r, g, b);
        Graphics::setColor(r, g, b);
    }
    void setFont(const JavaPtr<Font>& font) override {
        Scope scope(*this, "setFont", font ? std::to_string(font->getFace()) + "," + std::to_string(font->getStyle()) +
                                                 "," + std::to_string(font->getSize())
                                           : std::string("null"));
        Graphics::setFont(font);
    }
    void setGrayScale(int32_t value) override {
        Scope scope(*this, "setGrayScale", value);
        Graphics::setGrayScale(value);
    }
    void setStrokeStyle(int32_t style) override {
        Scope scope(*this, "setStrokeStyle", style);
        Graphics::setStrokeStyle(style);
    }
    void translate(int32_t dx, int32_t dy) override {
        Scope scope(*this, "translate", dx, dy);
        Graphics::translate(dx, dy);
    }

    // Text as written in an entry: printable ASCII as is, anything else as \uXXXX.
    static std::string quoted(std::u16string_view text) {
        std::string out = "\"";
        for (const char16_t unit : text) {
            if (unit >= 0x20 && unit < 0x7F) {
                out += static_cast<char>(unit);
            } else {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
                out += escape;
            }
        }
        return out + "\"";
    }
    static std::string quoted(const JavaPtr<String>& s) { return s ? quoted(s->view()) : std::string("null"); }
    static std::string hex(int32_t rgb) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%06x", static_cast<unsigned>(rgb));
        return text;
    }
    static std::string describe(const JavaPtr<Image>& img) {
        return img ? std::to_string(img->getWidth()) + "x" + std::to_string(img->getHeight()) : std::string("null");
    }

private:
    // Logs the outermost call only; the base class's own calls back into the overrides happen inside it.
    class Scope {
    public:
        template <class... Args>
        Scope(RecordingGraphics& owner, const char* name, const Args&... args) : m_owner(owner) {
            if (m_owner.m_depth++ > 0) return;
            std::string entry = name;
            const char* separator = " ";
            ((entry += separator, entry += text(args), separator = ","), ...);
            m_owner.m_log.add(std::move(entry));
        }
        ~Scope() { --m_owner.m_depth; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        static std::string text(const std::string& value) { return value; }
        static std::string text(const char* value) { return value; }
        static std::string text(int32_t value) { return std::to_string(value); }
        RecordingGraphics& m_owner;
    };

    EventLog& m_log;
    int m_depth = 0;
};

// The entries whose call name is one of `names` (e.g. only the drawing, without colours).
inline std::vector<std::string> callsNamed(const std::vector<std::string>& entries,
                                           std::initializer_list<std::string_view> names) {
    std::vector<std::string> kept;
    for (const std::string& entry : entries) {
        const std::string_view name = std::string_view(entry).substr(0, entry.find(' '));
        for (const std::string_view wanted : names)
            if (name == wanted) {
                kept.push_back(entry);
                break;
            }
    }
    return kept;
}

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(std::string name, EventLog& log, bool* destroyed = nullptr)
        : m_name(std::move(name)), m_log(log), m_destroyed(destroyed) {}
    ~RecordingCanvas() override {
        if (m_destroyed) *m_destroyed = true;
    }
    static JavaPtr<RecordingCanvas> make(std::string name, EventLog& log, bool* destroyed = nullptr) {
        JavaPtr<RecordingCanvas> canvas(new RecordingCanvas(std::move(name), log, destroyed));
        canvas->WENDinvokeconstructor();
        return canvas;
    }

    void showNotify() override { m_log.add("show " + m_name); }
    void hideNotify() override { m_log.add("hide " + m_name); }
    void paint(const JavaPtr<Graphics>& g) override {
        m_log.add("paint " + m_name);
        if (onPaint) onPaint();
    }

    std::function<void()> onPaint;

private:
    std::string m_name;
    EventLog& m_log;
    bool* m_destroyed;
};

class CountingRunnable : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(CountingRunnable, "lcduitest.CountingRunnable", java::lang::Object, java::lang::Runnable)
public:
    CountingRunnable(std::string name, EventLog& log) : name(std::move(name)), m_log(log) {}
    void run() override {
        ++runs;
        m_log.add("run " + name);
        if (onRun) onRun();
    }

    std::string name;
    std::atomic<int> runs{0};
    std::function<void()> onRun;

private:
    EventLog& m_log;
};

// A 320 x 480 display whose master Graphics records into the log; every static is reset after the test.
class DisplayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        using javax::microedition::lcdui::Display;
        Display::screenWidth = 320;
        Display::screenHeight = 480;
        // Kept by the tidy-up, so a ticker left counted by an earlier test would make every tick repaint.
        Display::numActiveTickers = 0;
        master = JavaPtr<Graphics>(new RecordingGraphics(log));
        display = Display::getDisplay();
        Display::setMasterGraphics(master);
    }
    void TearDown() override {
        using javax::microedition::lcdui::Display;
        Display::tidyUp();
        Display::Display_staticDestroy();
        javax::microedition::lcdui::Displayable::isInterrupted = false;
        quitFlag = false;
    }

    EventLog log;
    JavaPtr<Graphics> master;
    JavaPtr<javax::microedition::lcdui::Display> display;
};

}  // namespace lcduitest
