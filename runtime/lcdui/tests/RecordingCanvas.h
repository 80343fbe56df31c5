// A canvas and a Graphics that write what happens to them into one shared log, and a runnable that
// counts its runs, for the display tests.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/lang/Runnable.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Displayable.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/tests/FakePlatformBridge.h"

namespace lcduitest {

using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Graphics;

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

class RecordingGraphics : public Graphics {
public:
    explicit RecordingGraphics(EventLog& log) : m_log(log) {}
    void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override {
        m_log.add("clip " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," +
                  std::to_string(h));
        Graphics::setClip(x, y, w, h);
    }

private:
    EventLog& m_log;
};

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
