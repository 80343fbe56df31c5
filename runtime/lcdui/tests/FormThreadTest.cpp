// A form under three threads: a MIDlet thread changing its items while the UI thread touches and
// presses keys and the tick thread lays it out and paints it. Run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <thread>

#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/List.h"
#include "runtime/lcdui/forms/TextField.h"
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

TEST_F(FormThreadTest, GaugeTextAndListChangesMeetTypingTouchesAndTicks) {
    List::List_staticInit();
    auto list = jnew<List>();
    list->WENDinvokeconstructor(str("List"), Choice::IMPLICIT);
    for (const char* row : {"ad", "ef", "gh"}) list->append(str(row), nullptr);
    auto level = jnew<Gauge>();
    level->WENDinvokeconstructor(str("Level"), true, 50, 0);
    auto busy = jnew<Gauge>();
    busy->WENDinvokeconstructor(nullptr, false, Gauge::INDEFINITE, Gauge::CONTINUOUS_RUNNING);
    auto typed = jnew<TextField>();
    typed->WENDinvokeconstructor(str("Typed"), str(""), 60, TextField::ANY);
    form->append(JavaPtr<Item>(typed));
    form->append(JavaPtr<Item>(level));
    form->append(JavaPtr<Item>(busy));
    show();
    constexpr int ROUNDS = 300;
    std::atomic<bool> done{false};
    std::thread ticker([&] {
        while (!done.load()) {
            formMillis += 50;
            Display::tickLCDUI(50);
            std::this_thread::yield();
        }
    });
    std::thread midlet([&] {
        for (int i = 0; i < ROUNDS; ++i) {
            level->setValue(i % 60);
            if (i % 50 == 0) level->setMaxValue(20 + i % 40);
            busy->setValue(i % 2 ? Gauge::INCREMENTAL_UPDATING : Gauge::CONTINUOUS_RUNNING);
            list->append(str("new"), nullptr);
            if (list->size() > 6) list->deleteJ(i % list->size());
            list->set(0, str(i % 2 ? "odd" : "even"), nullptr);
            if (i % 10 == 0) typed->setString(str("from the MIDlet"));
            if (typed->size() < 50) typed->insert(str("m"), 0);
            if (i == ROUNDS / 2) display->setCurrent(JavaPtr<Displayable>(list));
        }
    });
    for (int i = 0; i < ROUNDS; ++i) {
        JavaPtr<Canvas> current = Display::currentCanvas();
        auto core = recastObj<DisplayableCoreCanvas>(current);
        if (!core) continue;
        // Only the current canvas has its held-back input replayed: a canvas left behind is not waited for.
        while (core->getEventBufferCount() > Core::EVENT_BUFFER_LIMIT / 2 && Display::currentCanvas() == current)
            std::this_thread::yield();
        // Mostly typing into the field, now and then a move or FIRE.
        const int32_t key = i % 7 == 0 ? int32_t(Core::KEY_DOWN) : i % 7 == 1 ? int32_t(Core::KEY_UP)
                            : i % 7 == 2 ? int32_t(Core::KEY_FIRE) : Core::KEY_NUM0 + 2 + i % 8;
        core->keyPressed(key);
        core->keyReleased(key);
        core->pointerPressed(100, (i * 29) % 300);
        core->pointerReleased(100, (i * 29) % 300);
    }
    midlet.join();
    done = true;
    ticker.join();
    tick();
    EXPECT_EQ(Display::lcdUIEventInProgress, 0);
    EXPECT_LE(level->getValue(), level->getMaxValue());
    EXPECT_GE(list->size(), 1);
    EXPECT_LE(typed->size(), 60);
    EXPECT_GE(typed->getCaretPosition(), 0);
    EXPECT_LE(typed->getCaretPosition(), typed->size());
}

}  // namespace
}  // namespace formtest
