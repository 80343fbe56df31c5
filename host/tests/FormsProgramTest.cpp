// The forms demonstration end to end, headless on a 320 x 480 device: a first run logs where each
// item lies; the session taps one, and its capture shows the frame there and the cross; then it drags
// the scroll bar's thumb to the end, and the capture shows the gauges' boxes where they are logged.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;
using programtest::TemporaryDirectory;

programtest::DemoRun runForms(const TemporaryDirectory& directory, const std::string& name, const std::string& script) {
    return programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, "forms", name, script);
}

std::array<int32_t, 4> logged(const std::string& output, const std::string& what) {
    return programtest::lastLoggedBox(output, "EVT forms: " + what);
}

// The centre of box `index` of a gauge showing `boxes`, from the item's logged box whatever the label
// font: the boxes sit 10 apart on the content's bottom, centred after a place for the left arrow.
std::array<int32_t, 2> gaugeBox(const std::array<int32_t, 4>& item, int32_t boxes, int32_t index) {
    const int32_t w = item[2] - item[0] - 6;
    return {item[0] + 3 + (w - 20 - 10 * boxes) / 2 + 10 + 10 * index + 4, item[3] - 3 - 4};
}

TEST(FormsProgram, ATappedItemIsFramedBesideTheCrossAndTheScrolledGaugesFillTheirBoxes) {
    TemporaryDirectory directory("forms-program-test");
    const auto first = runForms(directory, "first", "expect_log forms: highlighted\nterminate\n");
    ASSERT_EQ(first.status, 0) << first.output << first.errors;
    const auto image = logged(first.output, "item 6");
    const auto cross = logged(first.output, "cross");
    ASSERT_GE(image[0], 0) << first.output;
    ASSERT_GE(cross[0], 0) << first.output;

    const int32_t middleY = (image[1] + image[3]) / 2;
    // The bar lies between the items' right margin and the screen's edge; its thumb starts at the top.
    const int32_t thumbX = (logged(first.output, "item 7")[2] + 5 + 320) / 2;
    const int32_t thumbY = logged(first.output, "item 0")[1] + 20;
    const auto below = [&](int32_t dy) { return std::to_string(thumbX) + " " + std::to_string(thumbY + dy); };
    const std::string thumb = below(0);
    // A highlight's line is written while the frame that shows it is painted: two frames later that
    // frame, or one after it, is presented, however slow the machine. The chrome's touch areas are
    // registered anew by the paint after a touch, so the thumb is pressed once that frame is out.
    const auto session = runForms(
        directory, "session",
        "expect_log forms: highlighted 0\ntap " + std::to_string((image[0] + image[2]) / 2) + " " + std::to_string(middleY) +
            "\nexpect_log forms: highlighted 6\nwait_frames 2 60000\ncapture tapped.png\n"
            "tap " + std::to_string(cross[0] + 5) + " " + std::to_string(cross[1] + 7) +
            "\nexpect_log forms: cross touched 5,7\nwait_frames 2 60000\n"
            "down " + thumb + "\nmove " + below(200) + "\nmove " + below(400) + "\nup " + below(400) +
            "\nwait_frames 2 60000\ncapture scrolled.png\nterminate\nexpect_log forms: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output << session.errors;
    const Picture tapped = loadPicture(directory.path() / "tapped.png");
    ASSERT_EQ(tapped.width, 320);
    EXPECT_EQ(tapped.rgbAt(image[0], middleY), 0x0000FF) << "the frame where the item was logged";
    EXPECT_EQ(tapped.rgbAt(cross[0] + cross[2] / 2, cross[1] + 2), 0x000000) << "the cross's upright";
    EXPECT_EQ(tapped.rgbAt(cross[0] + cross[2] / 4, cross[1] + 2), 0xCCCCCC) << "between its strokes";

    const Picture scrolled = loadPicture(directory.path() / "scrolled.png");
    const struct {
        const char* item;
        int32_t maxValue, value, colour;
    } gauges[] = {
        {"item 10", 10, 5, 0x000000},    // interactive
        {"item 11", 100, 40, 0xAAAAAA},  // not interactive: greyed
    };
    for (const auto& g : gauges) {
        const auto item = logged(session.output, g.item);
        ASSERT_LT(item[3], 480) << g.item << " not scrolled into view\n" << session.output;
        const int32_t boxes = std::min((item[2] - item[0] - 6 - 20) / 10, g.maxValue);
        const int32_t filled = boxes * g.value / g.maxValue;
        ASSERT_GT(filled, 0) << g.item;
        const auto leftmost = gaugeBox(item, boxes, 0), last = gaugeBox(item, boxes, filled - 1);
        const auto empty = gaugeBox(item, boxes, filled);
        EXPECT_EQ(scrolled.rgbAt(leftmost[0], leftmost[1]), g.colour) << g.item << ": the first box, filled";
        EXPECT_EQ(scrolled.rgbAt(last[0], last[1]), g.colour) << g.item << ": the last filled box";
        EXPECT_EQ(scrolled.rgbAt(empty[0], empty[1]), 0xCCCCCC) << g.item << ": the first empty box";
        EXPECT_EQ(scrolled.rgbAt(empty[0] - 4, empty[1]), g.colour) << g.item << ": its outline";
    }
}

}  // namespace
