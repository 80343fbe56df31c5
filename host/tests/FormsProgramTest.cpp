// The forms demonstration end to end, headless on a 320 x 480 device: a first run logs where each
// item lies; the session taps one, and its capture shows the frame there and the cross.
#include <gtest/gtest.h>

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

TEST(FormsProgram, ATappedItemIsFramedWhereItWasLoggedBesideTheCross) {
    TemporaryDirectory directory("forms-program-test");
    const auto first = runForms(directory, "first", "expect_log forms: highlighted\nterminate\n");
    ASSERT_EQ(first.status, 0) << first.output;
    const auto image = logged(first.output, "item 6");
    const auto cross = logged(first.output, "cross");
    ASSERT_GE(image[0], 0) << first.output;
    ASSERT_GE(cross[0], 0) << first.output;

    const int32_t middleY = (image[1] + image[3]) / 2;
    const auto session = runForms(
        directory, "session",
        "expect_log forms: highlighted 0\ntap " + std::to_string((image[0] + image[2]) / 2) + " " + std::to_string(middleY) +
            "\nexpect_log forms: highlighted 6\nwait 300\ncapture tapped.png\n"
            "tap " + std::to_string(cross[0] + 5) + " " + std::to_string(cross[1] + 7) +
            "\nexpect_log forms: cross touched 5,7\nterminate\nexpect_log forms: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output;
    const Picture tapped = loadPicture(directory.path() / "tapped.png");
    ASSERT_EQ(tapped.width, 320);
    EXPECT_EQ(tapped.rgbAt(image[0], middleY), 0x0000FF) << "the frame where the item was logged";
    EXPECT_EQ(tapped.rgbAt(cross[0] + cross[2] / 2, cross[1] + 2), 0x000000) << "the cross's upright";
    EXPECT_EQ(tapped.rgbAt(cross[0] + cross[2] / 4, cross[1] + 2), 0xCCCCCC) << "between its strokes";
}

}  // namespace
