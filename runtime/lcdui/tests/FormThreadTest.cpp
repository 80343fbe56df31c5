// A form under three threads: a MIDlet thread changing its items while the UI thread touches and
// presses keys and the tick thread lays it out and paints it. Run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <thread>

#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

using FormThreadTest = FormFixture;

TEST_F(FormThreadTest, ItemChangesInputAndTicksMeetWithoutRacesOrDeadlock) {
    for (int i = 0; i < 5; ++i) form->append(JavaPtr<Item>(text("dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd dd", "L")));
    show();
    constexpr int ROUNDS = 300;
    std::atomic<bool> done{false};
    std::thread ticker([&] {
        while (!done.load()) {
            formMillis += 10;
            Display::tickLCDUI(10);
            std::this_thread::yield();
        }
    });
    std::thread midlet([&] {
        for (int i = 0; i < ROUNDS; ++i) {
            form->append(JavaPtr<Item>(text(i % 2 ? "ee" : "ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff")));
            form->append(JavaPtr<Item>(box(30 + i % 50, 20)));
            if (form->size() > 12) {
                form->deleteJ(i % form->size());
                form->deleteJ(0);
            }
            JavaPtr<Item> item = form->get(i % form->size());
            item->setLabel(str(i % 3 ? "Label" : nullptr));
            if (auto shown = recastObj<StringItem>(item)) shown->setText(str(i % 2 ? "gg" : "gg gg\ngg"));
        }
    });
    for (int i = 0; i < ROUNDS; ++i) {
        while (canvas()->getEventBufferCount() > Core::EVENT_BUFFER_LIMIT / 2) std::this_thread::yield();
        canvas()->pointerPressed(20, (i * 37) % 400);
        canvas()->pointerReleased(20, (i * 37) % 400);
        canvas()->keyPressed(i % 2 ? Core::KEY_DOWN : Core::KEY_UP);
        canvas()->keyReleased(i % 2 ? Core::KEY_DOWN : Core::KEY_UP);
    }
    midlet.join();
    done = true;
    ticker.join();
    tick();
    tick();
    EXPECT_EQ(canvas()->getEventBufferCount(), 0);
    EXPECT_FALSE(form->needsRelayout());
    EXPECT_EQ(Display::lcdUIEventInProgress, 0);
    // What the last layout placed lies in rows from the top, each item below the one before or beside it.
    for (int32_t i = 1; i < form->size(); ++i) EXPECT_GE(form->get(i)->m_row, form->get(i - 1)->m_row);
}

}  // namespace
}  // namespace formtest
