// The text and dates demonstrations run in-process: "Hi!" typed on the on-screen keyboard into the
// first field; the calendar opened, a month stepped and day 15 saved.
#include <algorithm>
#include <cstdio>

#include "demos/tests/DemoHarness.h"
#include "runtime/lcdui/forms/DateField.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/TextField.h"

namespace demotest {
namespace {

class LoggingDemoTest : public DemoHarness {
protected:
    bool logged(const std::string& line) {
        for (std::string& event : events()) m_seen.push_back(std::move(event));
        return std::find(m_seen.begin(), m_seen.end(), line) != m_seen.end();
    }
    // The last "<prefix> a,b,c,d" logged.
    std::vector<int32_t> box(const std::string& prefix) {
        logged("");
        std::vector<int32_t> found;
        for (const std::string& line : m_seen) {
            int32_t v[4];
            if (line.rfind(prefix + " ", 0) == 0 &&
                std::sscanf(line.c_str() + prefix.size() + 1, "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]) == 4)
                found.assign(v, v + 4);
        }
        return found;
    }
    void tapKey(int32_t index) {
        JavaPtr<KeyInternal> k = OnScreenKeyboard::keyAt(index);
        ASSERT_TRUE(k);
        tap(k->x + k->width / 2, k->y + k->height / 2);
    }

private:
    std::vector<std::string> m_seen;
};

TEST_F(LoggingDemoTest, TextTypedOnTheKeyboardWithShiftReachesTheField) {
    start("text");
    tick(10);
    tapArea("osktoggle");
    tick(10);
    ASSERT_TRUE(OnScreenKeyboard::isShown());
    constexpr int32_t SHIFT = 39, H = 33, I = 22, ONE = 1;
    tapKey(SHIFT);
    tick(10);
    tapKey(H);
    tapKey(I);
    tapKey(SHIFT);
    tapKey(ONE);
    EXPECT_TRUE(logged("text: Name \"Hi!\""));
    // Logged once the chrome has registered the keyboard, with the labels of the moment.
    EXPECT_FALSE(box("text: key 33 h").empty() && box("text: key 33 H").empty()) << "the keys' places, for scripts";
}

TEST_F(LoggingDemoTest, TheCalendarOpensStepsAMonthAndSavesDay15) {
    start("dates");
    tick(10);
    const auto line = box("dates: line");
    ASSERT_EQ(line.size(), 4u);
    tap(line[0] + 10, line[1] + 3);
    tick(10);
    EXPECT_TRUE(logged("dates: view calendar 0 2012"));
    const auto arrow = box("dates: area monthinc");
    ASSERT_EQ(arrow.size(), 4u);
    tap((arrow[0] + arrow[2]) / 2, (arrow[1] + arrow[3]) / 2);
    tick(10);
    EXPECT_TRUE(logged("dates: view calendar 1 2012"));
    const auto cell = box("dates: cell 15");
    ASSERT_EQ(cell.size(), 4u);
    EXPECT_EQ(pixel(cell[0] + 2, cell[1] + 2), 0xCCCCCC) << "day 15 not focused yet";
    tap(cell[0] + cell[2] / 2, cell[1] + cell[3] / 2);
    tick(10);
    EXPECT_EQ(pixel(cell[0] + 2, cell[1] + 2), 0x0000CC) << "the touched day";
    tapArea("fwdsoft");
    EXPECT_TRUE(logged("dates: saved Wed Feb 15 2012"));
}

}  // namespace
}  // namespace demotest
