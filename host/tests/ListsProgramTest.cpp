// The lists demonstration end to end, headless on a 320 x 480 device: the select soft key picks the
// focused row (drawn highlighted), its alert shows, and the list comes back when the alert times out.
#include <gtest/gtest.h>

#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;

// Pixels of the colour in the content band below the title.
int32_t countInContent(const Picture& picture, int32_t rgb) {
    int32_t count = 0;
    for (int32_t y = 8; y < 200; ++y)
        for (int32_t x = 0; x < 300; ++x) count += picture.rgbAt(x, y) == rgb ? 1 : 0;
    return count;
}

TEST(ListsProgram, APickShowsItsAlertAndTheListReturns) {
    programtest::TemporaryDirectory directory("lists-program-test");
    // The bottom-right corner lies on the forward soft key whatever the font.
    const auto session = programtest::runDemoScript(
        LEXIVO_QUIZ_PATH, directory, "lists", "session",
        "wait_frames 1 30000\ncapture list.png\ntap 316 479\nexpect_log lists: picked 0\n"
        "expect_log lists: alert busy\nwait_frames 2 10000\ncapture alert.png\nexpect_log lists: back to the list\n"
        "terminate\nexpect_log lists: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output;
    const Picture list = loadPicture(directory.path() / "list.png");
    const Picture alert = loadPicture(directory.path() / "alert.png");
    ASSERT_EQ(alert.width, 320);
    EXPECT_GT(countInContent(list, 0x0000CC), 20) << "the focused row";
    EXPECT_EQ(countInContent(alert, 0x0000CC), 0) << "an alert highlights nothing";
    EXPECT_GT(countInContent(alert, 0x000000), 20) << "its text and running indicator";
}

}  // namespace
