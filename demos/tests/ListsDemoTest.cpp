// The lists demonstration run in-process: a pick shows an alert with a running indicator that gives
// way to the list again; the question waits for an answer; the exclusive list reports its choice.
#include <algorithm>

#include "demos/tests/DemoHarness.h"
#include "runtime/lcdui/chrome/Alert.h"
#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/List.h"

namespace demotest {
namespace {

class ListsDemoTest : public DemoHarness {
protected:
    void SetUp() override {
        DemoHarness::SetUp();
        start("lists");
        tick(10);
    }
    bool logged(const std::string& line) {
        for (std::string& event : events()) m_seen.push_back(std::move(event));
        return std::find(m_seen.begin(), m_seen.end(), line) != m_seen.end();
    }
    void pass(int64_t millis) {
        for (int64_t t = 0; t < millis; t += 50) tick(50);
    }

private:
    std::vector<std::string> m_seen;
};

TEST_F(ListsDemoTest, APickShowsTheBusyAlertWhichGivesWayToTheListAgain) {
    auto list = recastObj<List>(Display::getDisplay()->getCurrent());
    ASSERT_TRUE(list);
    JavaPtr<ChoiceGroup> group = list->getChoiceGroup();
    // The focused first row: white text on the highlight colour, 3 in from the group's content.
    const int32_t top = 12, rowY = top + group->m_y + group->m_contentY + 3;
    EXPECT_EQ(pixel(group->m_x + group->m_contentX + 200, rowY + 2), 0x0000CC);
    key(DisplayableCoreCanvas::KEY_FIRE);
    EXPECT_TRUE(logged("lists: picked 0"));
    EXPECT_TRUE(logged("lists: alert busy"));
    tick(10);
    auto alert = recastObj<Alert>(Display::getDisplay()->getCurrent());
    ASSERT_TRUE(alert);
    JavaPtr<Gauge> busy = alert->getIndicator();
    ASSERT_TRUE(busy);
    const int32_t trackY = top + busy->m_y + busy->m_contentY + busy->m_contentHeight / 2;
    EXPECT_EQ(pixel(busy->m_x + busy->m_contentX + busy->m_contentWidth / 3, trackY), 0x000000) << "the running track";
    pass(2100);
    EXPECT_TRUE(logged("lists: alert answered Dismiss"));
    EXPECT_TRUE(logged("lists: back to the list"));
    EXPECT_TRUE(Display::getDisplay()->getCurrent() == list);
}

TEST_F(ListsDemoTest, TheQuestionWaitsForAnAnswerAndTheExclusiveListReportsItsChoice) {
    key(DisplayableCoreCanvas::KEY_DOWN);
    key(DisplayableCoreCanvas::KEY_FIRE);
    EXPECT_TRUE(logged("lists: alert question"));
    tick(10);
    pass(5000);
    EXPECT_FALSE(logged("lists: back to the list")) << "two commands: it waits";
    tapArea("fwdsoft");
    EXPECT_TRUE(logged("lists: alert answered Yes"));
    EXPECT_TRUE(logged("lists: back to the list"));
    tick(10);
    key(DisplayableCoreCanvas::KEY_DOWN);
    key(DisplayableCoreCanvas::KEY_FIRE);
    EXPECT_TRUE(logged("lists: exclusive list"));
    tick(10);
    key(DisplayableCoreCanvas::KEY_DOWN);
    key(DisplayableCoreCanvas::KEY_FIRE);
    tapArea("backsoft");
    EXPECT_TRUE(logged("lists: chose 1"));
}

}  // namespace
}  // namespace demotest
