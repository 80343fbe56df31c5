// The chrome demonstration run in-process: its menu, rows, scroll bar and keyboard by touch, with
// what the screen shows and what the MIDlet logs.
#include <algorithm>

#include "demos/ChromeDemo.h"
#include "demos/tests/DemoHarness.h"

namespace demotest {
namespace {

using Events = std::vector<std::string>;

class ChromeDemoTest : public DemoHarness {
protected:
    void SetUp() override {
        DemoHarness::SetUp();
        start("chrome");
        tick(10);
    }
    // What the MIDlet logged, kept across calls so that each line can be asked for once written.
    bool logged(const std::string& line) {
        for (std::string& event : events()) m_seen.push_back(std::move(event));
        return std::find(m_seen.begin(), m_seen.end(), line) != m_seen.end();
    }

private:
    Events m_seen;
};

TEST_F(ChromeDemoTest, LogsWhereTheChromePutEverythingAndPaintsIt) {
    const Events shown = events();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], "chrome: startApp");
    // Title 8 + 4 high, soft keys and ticker as much again at the bottom, the bar 15 wide.
    EXPECT_NE(std::find(shown.begin(), shown.end(), "chrome: geometry content 0,12,305,456"), shown.end());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "chrome: area fwdsoft 160,468,320,480"), shown.end());
    EXPECT_EQ(pixel(100, 470), 0xCCCCCC) << "soft-key bar";
    EXPECT_EQ(pixel(250, 30), 0xCCCCCC) << "content";
    EXPECT_EQ(pixel(312, 100), 0x000000) << "thumb";
    const auto calls = lcduitest::callsNamed(drawn(), {"drawString"});
    for (const char* text : {"drawString \"Chrome demo\",0,2,20", "drawString \"Row 1\",5,0,20",
                             "drawString \"Back\",0,478,36", "drawString \"Menu\",320,478,40"})
        EXPECT_NE(std::find(calls.begin(), calls.end(), text), calls.end()) << text;
}

TEST_F(ChromeDemoTest, TextTypedOnTheKeyboardReachesTheScreen) {
    tapArea("osktoggle");
    tick(10);
    ASSERT_TRUE(OnScreenKeyboard::isShown());
    ASSERT_TRUE(typeOnKeyboard('h'));
    ASSERT_TRUE(typeOnKeyboard('i'));
    EXPECT_TRUE(logged("chrome: typed \"hi\""));
    JavaPtr<KeyInternal> q = OnScreenKeyboard::keyAt(15);
    press(q->x + 5, q->y + 5);
    tick(10);
    EXPECT_EQ(pixel(q->x + 2, q->y + 2), 0x0000CC) << "the key under the finger is highlighted";
    release(q->x + 5, q->y + 5);
    EXPECT_TRUE(logged("chrome: typed \"hiq\""));
}

TEST_F(ChromeDemoTest, ExitFromTheMenuEndsTheMIDlet) {
    tapArea("fwdsoft");
    tick(10);
    tapArea("popup2");
    EXPECT_TRUE(logged("chrome: command Exit"));
    EXPECT_TRUE(MIDlet::quitInvoked.load());
}

TEST_F(ChromeDemoTest, TheThumbScrollsAndDeletingRowsUntilTheyFitTakesTheBarAway) {
    const auto thumb = area("scrollbarbox");
    ASSERT_EQ(thumb.size(), 4u);
    auto core = recastObj<DisplayableCoreCanvas>(canvas());
    press(thumb[0] + 5, thumb[1] + 5);
    drag(thumb[0] + 5, thumb[1] + 55);
    release(thumb[0] + 5, thumb[1] + 55);
    EXPECT_GT(core->getVerticalScrollPos(), 0);
    int32_t deleted = 0;
    for (; core->verticalScrollbarVisible() && deleted < demo::ChromeDemoLayout::ROWS; ++deleted) {
        tapArea("fwdsoft");
        tick(10);
        tapArea("popup3");
        tick(10);
    }
    EXPECT_TRUE(logged("chrome: command Delete"));
    EXPECT_TRUE(logged("chrome: " + std::to_string(demo::ChromeDemoLayout::ROWS - deleted) + " rows"));
    EXPECT_GT(deleted, 0);
    EXPECT_FALSE(core->verticalScrollbarVisible());
    EXPECT_EQ(core->getVerticalScrollPos(), 0) << "the content back at the top";
    EXPECT_EQ(pixel(312, 100), 0xCCCCCC) << "no thumb";
    tap(100, 12 + 2);
    EXPECT_TRUE(logged("chrome: row 1")) << "a touch on the label answers too";
}

}  // namespace
}  // namespace demotest
