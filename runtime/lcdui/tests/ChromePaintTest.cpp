// What the chrome draws, read from the recording Graphics: bands, soft keys, toggle, popup, scroll
// bar, ticker and pressed keys, with the touch areas registered as they are drawn.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

using Calls = std::vector<std::string>;

class ChromePaintTest : public ChromeFixture {
protected:
    // The calls of one repaint at the next tick.
    Calls paint() {
        screen->canvas->setNeedsRepaint();
        log.take();
        tick(0);
        return log.take();
    }
    bool registered(const char* suffix) {
        int32_t r[4];
        return TouchScreenAreaManager::areaFor(screen->canvas->getAreaBaseCode() + suffix, r);
    }
};

// True when `block` appears in `calls` as consecutive entries.
bool hasBlock(const Calls& calls, const Calls& block) {
    return std::search(calls.begin(), calls.end(), block.begin(), block.end()) != calls.end();
}

// The soft-key bar of the 8-pixel font and its keyboard toggle, as every screen draws them.
Calls softKeyBar() {
    Calls bar = {"setColor 0xcccccc", "fillRect 0,468,320,12", "setColor 0x666666", "drawLine 160,468,160,480",
                 "drawLine 0,468,320,468", "setFont 0,0,8"};
    return bar;
}
Calls keyboardToggle() {
    Calls toggle = {"setColor 0xcccccc", "fillRect 152,470,15,9", "setColor 0x000000", "drawRect 152,470,15,9",
                    "setColor 0x000000"};
    for (int32_t row = 0; row < 3; ++row)
        for (int32_t x = row == 1 ? 3 : 2; x <= (row == 1 ? 11 : 12); x += 2)
            toggle.push_back("fillRect " + std::to_string(152 + x) + "," + std::to_string(473 + 2 * row) + ",1,1");
    return toggle;
}

TEST_F(ChromePaintTest, ABareScreenDrawsOnlyTheSoftKeyBarAndToggle) {
    show();
    Calls expected = {"setClip 0,0,320,480", "setClip 0,0,320,480"};
    for (const Calls& part : {softKeyBar(), keyboardToggle()}) expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(paint(), expected);
    EXPECT_EQ(unreserved(), (std::vector<int32_t>{0, 0, 320, 480}));
    EXPECT_TRUE(registered("osktoggle"));
    EXPECT_FALSE(registered("fwdsoft"));
}

TEST_F(ChromePaintTest, TitleAndTwoCommandsDrawTheTitleBandAndBothLabels) {
    screen->setTitle(str("Title"));
    add("Back", Command::BACK);
    add("Go", Command::SCREEN);
    show();
    const Calls calls = paint();
    EXPECT_TRUE(hasBlock(calls, {"setColor 0xcccccc", "fillRect 0,0,320,12", "setColor 0x666666", "drawRect 0,0,320,12",
                                 "setColor 0x000000", "setFont 0,0,8", "drawString \"Title\",0,2,20",
                                 "drawLine 0,12,320,12"}));
    EXPECT_TRUE(hasBlock(calls, softKeyBar()));
    EXPECT_EQ(callsNamed(calls, {"drawString"}),
              (Calls{"drawString \"Title\",0,2,20", "drawString \"Back\",0,478,36", "drawString \"Go\",320,478,40"}));
    EXPECT_TRUE(registered("backsoft"));
    EXPECT_TRUE(registered("fwdsoft"));
}

TEST_F(ChromePaintTest, AnOpenPopupSitsOnTheBarAtTheRightWithItsSelectedRowHighlighted) {
    add("One", Command::SCREEN, 1);
    add("Two", Command::SCREEN, 2);
    add("Three", Command::SCREEN, 3);
    show();
    key(Core::KEY_SOFTKEY_RIGHT);
    const Calls calls = paint();
    // Three rows of 12 and a frame of 10; as wide as "Three" (5 missing characters of 10) plus 4.
    EXPECT_TRUE(hasBlock(calls, {"setColor 0xcccccc", "fillRect 266,422,54,46", "setColor 0x666666",
                                 "drawRect 266,422,54,46", "setFont 0,0,8", "setColor 0x000000", "setColor 0x0000cc",
                                 "fillRect 268,427,50,12", "setColor 0xffffff", "drawString \"One\",268,429,20",
                                 "setColor 0x000000", "drawString \"Two\",268,441,20",
                                 "drawString \"Three\",268,453,20"}));
    const Calls labels = callsNamed(calls, {"drawString"});
    EXPECT_NE(std::find(labels.begin(), labels.end(), "drawString \"Cancel\",0,478,36"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "drawString \"Select\",320,478,40"), labels.end());
    int32_t row[4];
    ASSERT_TRUE(TouchScreenAreaManager::areaFor(screen->canvas->getAreaBaseCode() + "popup2", row));
    EXPECT_EQ((std::vector<int32_t>{row[0], row[1], row[2], row[3]}), (std::vector<int32_t>{268, 451, 318, 463}));
}

TEST_F(ChromePaintTest, TheScrollBarHasAThumbAndAreasOnlyForContentTallerThanItShows) {
    struct Case {
        const char* name;
        int32_t contentHeight;
        bool thumb;
    };
    const Case cases[] = {{"exactlyVisible", 480, false}, {"shorter", 100, false}, {"twiceAsTall", 960, true}};
    for (const Case& c : cases) {
        show();
        screen->canvas->setVerticalScrollbarVisible(true);
        screen->canvas->setVerticalHeight(c.contentHeight);
        const Calls calls = paint();
        EXPECT_TRUE(hasBlock(calls, {"setColor 0xcccccc", "fillRect 305,0,15,480", "setColor 0x666666",
                                     "drawRect 305,0,15,480", "setColor 0x000000", "drawRect 307,11,11,458"}))
            << c.name;
        const bool thumbDrawn = std::find(calls.begin(), calls.end(), "fillRect 307,11,11,229") != calls.end();
        EXPECT_EQ(thumbDrawn, c.thumb) << c.name;
        // At the top: a down arrow only.
        EXPECT_EQ(std::find(calls.begin(), calls.end(), "fillRect 307,471,11,7") != calls.end(), c.thumb) << c.name;
        EXPECT_EQ(std::find(calls.begin(), calls.end(), "fillRect 307,2,11,7") != calls.end(), false) << c.name;
        for (const char* area : {"scrollup", "scrolldown", "scrollbarbox"})
            EXPECT_EQ(registered(area), c.thumb) << c.name << " " << area;
        reset();
    }
}

TEST_F(ChromePaintTest, TheTickerTextEntersAtTheRightAndRunsAtHalfTheDeviceWidthASecond) {
    auto ticker = java::lang::jnew<Ticker>();
    // Ten characters the font lacks: 100 pixels.
    ticker->WENDinvokeconstructor(str("??????????"));
    screen->setTicker(ticker);
    show();
    // Without commands too the band sits above the soft-key bar.
    struct Step {
        int64_t ms;
        int32_t x;
    };
    // 160 pixels a second on a 320-wide device; a lap is 320 + 100.
    const Step steps[] = {{0, 320}, {1000, 160}, {1000, 0}, {625, 320}};
    for (const Step& step : steps) {
        tick(step.ms);
        const Calls calls = paint();
        EXPECT_TRUE(hasBlock(calls, {"setColor 0xcccccc", "fillRect 0,456,320,12", "setColor 0x666666",
                                     "drawRect 0,456,320,12", "setColor 0x000000", "setFont 0,0,8",
                                     "drawString \"??????????\"," + std::to_string(step.x) + ",458,20"}))
            << "after " << ticker->getTotalTickedTimeMS() << " ms";
    }
}

TEST_F(ChromePaintTest, PressedKeysAreDrawnOnTheHighlightColour) {
    add("Back", Command::BACK);
    add("Go", Command::SCREEN);
    OnScreenKeyboard::show();
    show();
    screen->canvas->keyPressed(Core::KEY_SOFTKEY_LEFT);
    EXPECT_TRUE(hasBlock(paint(), {"setColor 0x0000cc", "fillRect 0,468,160,12", "setColor 0xffffff",
                                   "drawString \"Back\",0,478,36"}));
    screen->canvas->keyReleased(Core::KEY_SOFTKEY_LEFT);
    auto q = OnScreenKeyboard::keyAt(15);
    screen->canvas->pointerPressed(q->x + 5, q->y + 5);
    const std::string box = std::to_string(q->x) + "," + std::to_string(q->y) + "," + std::to_string(q->width) + "," +
                            std::to_string(q->height);
    EXPECT_TRUE(hasBlock(paint(), {"setColor 0x000000", "setColor 0x0000cc", "fillRect " + box, "setColor 0xffffff",
                                   "drawRect " + box, "drawString \"q\"," + std::to_string(q->x + q->width / 2) + "," +
                                                          std::to_string(q->y + q->height / 2) + ",3"}));
}

// A relayout under the finger (the first showNotify lays the screen out again after its first
// paint): until the next paint the toggle keeps the area of the frame on screen, and the paint that
// registers it anew keeps its press. Slid off, it is let go without acting, as a soft key is.
TEST_F(ChromePaintTest, AToggleHeldWhileTheScreenIsLaidOutAgainActsOnItsReleaseOnIt) {
    show();
    const auto [x, y] = centreOf("osktoggle");
    struct Case {
        const char* name;
        bool paintedBetween;
        int32_t liftedAtY;
        bool shownAfter;
    };
    const Case cases[] = {
        {"painted again before the release", true, y, true},
        {"released before the next paint", false, y, true},
        {"slid off and lifted there", true, y - 100, false},
    };
    for (const Case& c : cases) {
        OnScreenKeyboard::hide();
        screen->canvas->reLayout();
        paint();
        screen->canvas->pointerPressed(x, y);
        screen->canvas->reLayout();
        if (c.paintedBetween) paint();
        screen->canvas->pointerDragged(x, c.liftedAtY);
        screen->canvas->pointerReleased(x, c.liftedAtY);
        EXPECT_EQ(OnScreenKeyboard::isShown(), c.shownAfter) << c.name;
        EXPECT_TRUE(hasBlock(paint(), keyboardToggle())) << c.name << ": the toggle is drawn let go";
    }
}

}  // namespace
}  // namespace lcduitest
