// The on-screen keyboard's geometry and keys, and tickers' text and time.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

using Log = std::vector<std::string>;
using Keyboard = OnScreenKeyboard;

class KeyboardTest : public ChromeFixture {
protected:
    // The keyboard shown on the current screen with its bottom edge at 400.
    void showKeyboard() {
        show();
        Keyboard::show();
        Keyboard::setBottomY(400);
        log.take();
    }
    void touch(int32_t x, int32_t y) {
        Keyboard::pointerPressed(x, y);
        Keyboard::pointerReleased(x, y);
    }
    // Touches the middle of a key.
    void touchKey(int32_t index) {
        auto key = Keyboard::keyAt(index);
        touch(key->x + key->width / 2, key->y + key->height / 2);
    }
};

TEST_F(KeyboardTest, KeysTileTheScreenWidthInFiveRowsAboveTheBottomEdge) {
    Keyboard::show();
    Keyboard::setBottomY(400);
    struct Case {
        int32_t index, x, y, width, height;
    };
    const Case cases[] = {
        {0, 0, 285, 22, 23},     {1, 21, 285, 23, 23},  {13, 285, 285, 35, 23},
        {14, 0, 307, 55, 24},    {51, 21, 376, 210, 24}, {38, 274, 330, 23, 24},
        {49, 252, 353, 23, 24},
    };
    for (const Case& c : cases) {
        auto key = Keyboard::keyAt(c.index);
        ASSERT_TRUE(key) << c.index;
        EXPECT_EQ((std::vector<int32_t>{key->x, key->y, key->width, key->height}),
                  (std::vector<int32_t>{c.x, c.y, c.width, c.height}))
            << "key " << c.index;
    }
    Keyboard::setBottomY(300);
    EXPECT_EQ(Keyboard::keyAt(0)->y, 185) << "moving keeps the columns and shifts the rows";
    EXPECT_EQ(Keyboard::keyAt(1)->x, 21);
}

TEST_F(KeyboardTest, TouchesBecomeKeyCodesForTheCurrentScreen) {
    showKeyboard();
    struct Case {
        const char* name;
        int32_t x, y;  // -1: the middle of key `index`
        int32_t index;
        const char* expected;
    };
    const Case cases[] = {
        {"letter", -1, -1, 28, "a 1000"},
        {"digitIsTheKeyboardsOwn", -1, -1, 1, "1 1053"},
        {"delete", -1, -1, 13, "del -8"},
        {"space", -1, -1, 51, "space 2003"},
        {"stripRightOfTheCapsRow", 310, 342, -1, "enter 2002"},
        {"stripRightOfTheShiftRow", 290, 365, -1, "enter 2002"},
        {"punctuation", -1, -1, 47, "comma 2005"},
    };
    for (const Case& c : cases) {
        if (c.index >= 0) {
            touchKey(c.index);
        } else {
            touch(c.x, c.y);
        }
        const std::string code = std::strchr(c.expected, ' ') + 1;
        EXPECT_EQ(log.take(), (Log{"pressed " + code + " @0", "released " + code + " @0"})) << c.name;
    }
    touch(100, 100);
    EXPECT_TRUE(log.take().empty()) << "a touch above the keyboard is not the keyboard's";
}

TEST_F(KeyboardTest, ShiftActsOnceCapsStaysAndBothTogetherGiveLowerCase) {
    showKeyboard();
    const int32_t a = 28, shift = 39, caps = 27;
    struct Step {
        const char* name;
        int32_t key;
        const char* sent;  // null: nothing sent
        int32_t modeAfter;
    };
    const Step steps[] = {
        {"shiftSendsNothing", shift, nullptr, 1},
        {"shiftedLetter", a, "1026", 0},
        {"plainAgain", a, "1000", 0},
        {"caps", caps, nullptr, 1},
        {"capsLetter", a, "1026", 1},
        {"capsAndShift", shift, nullptr, 0},
        {"shiftClearedCapsKept", a, "1000", 1},
        {"capsOff", caps, nullptr, 0},
    };
    for (const Step& step : steps) {
        touchKey(step.key);
        const Log expected = step.sent ? Log{std::string("pressed ") + step.sent + " @0",
                                             std::string("released ") + step.sent + " @0"}
                                       : Log{};
        EXPECT_EQ(log.take(), expected) << step.name;
        EXPECT_EQ(Keyboard::getMode(), step.modeAfter) << step.name;
    }
}

TEST_F(KeyboardTest, TheToggleLeavesTheKeyboardHiddenWhileAnOverlayHasAreas) {
    show();
    TouchScreenAreaManager::registerArea(0, 0, 10, 10, str("overlay"),
                                         java::lang::jnew<TouchScreenAreaListener>(nullptr, nullptr), 2);
    const auto [x, y] = centreOf("osktoggle");
    tap(x, y);
    EXPECT_FALSE(Keyboard::isShown());
}

class TickerTest : public ChromeFixture {};

TEST_F(TickerTest, TextIsDrawnWithoutLineFeedsAndTimeOnlyGrows) {
    auto ticker = java::lang::jnew<Ticker>();
    ticker->WENDinvokeconstructor(str("a\nb"));
    EXPECT_STREQ(ticker->getString()->val(), "a\nb");
    EXPECT_STREQ(ticker->getDrawableString()->val(), "a b");
    ticker->tick(50);
    ticker->tick(50);
    EXPECT_EQ(ticker->getTotalTickedTimeMS(), 100);
    ticker->setString(nullptr);
    EXPECT_EQ(ticker->getString(), nullptr);
    EXPECT_STREQ(ticker->getDrawableString()->val(), "") << "a null text draws as nothing";
    EXPECT_EQ(ticker->getTotalTickedTimeMS(), 100) << "a new text keeps the time";
}

}  // namespace
}  // namespace lcduitest
