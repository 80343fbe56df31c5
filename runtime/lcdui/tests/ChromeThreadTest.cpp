// The chrome under three threads at once: the UI thread's input, the tick thread's ticks and a
// MIDlet thread changing the screen. Run under ThreadSanitizer; nothing may deadlock or be lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

class ChromeThreadTest : public ChromeFixture {};

TEST_F(ChromeThreadTest, InputTicksAndScreenChangesMeetWithoutLosingAReleaseOrDeadlocking) {
    add("Go", Command::SCREEN);
    show();
    constexpr int ROUNDS = 300;
    std::atomic<bool> uiDone{false};
    std::thread ticker([&] {
        while (!uiDone.load()) {
            fakeMillis += 10;
            Display::tickLCDUI(10);
            std::this_thread::yield();
        }
    });
    std::thread midlet([&] {
        for (int i = 0; i < ROUNDS && !uiDone.load(); ++i) {
            screen->setTitle(str(i % 2 ? "Odd" : "Even"));
            auto news = java::lang::jnew<Ticker>();
            news->WENDinvokeconstructor(str("news"));
            screen->setTicker(i % 3 ? news : nullptr);
            auto extra = add("Extra", Command::SCREEN, 5);
            screen->removeCommand(extra);
        }
    });
    for (int i = 0; i < ROUNDS; ++i) {
        screen->canvas->keyPressed(Core::KEY_NUM0 + i % 10);
        screen->canvas->keyReleased(Core::KEY_NUM0 + i % 10);
        screen->canvas->pointerPressed(100, 100);
        screen->canvas->pointerDragged(101, 101);
        screen->canvas->pointerReleased(101, 101);
    }
    uiDone = true;
    ticker.join();
    midlet.join();
    // What still waits is replayed by the next tick.
    tick(10);
    EXPECT_EQ(screen->canvas->getEventBufferCount(), 0);
    const auto entries = log.take();
    const auto count = [&](const char* prefix) {
        return std::count_if(entries.begin(), entries.end(),
                             [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("pressed "), ROUNDS);
    EXPECT_EQ(count("released "), ROUNDS);
    EXPECT_EQ(count("down "), ROUNDS);
    EXPECT_EQ(count("up "), ROUNDS);
    EXPECT_EQ(Display::lcdUIEventInProgress, 0);
    EXPECT_FALSE(Display::lcdUITickInProgress);
}

}  // namespace
}  // namespace lcduitest
