// The lists demonstration end to end, headless on a 320 x 480 device: the select soft key picks the
// focused row, its alert shows a running indicator, and the list comes back when the alert times out.
#include <gtest/gtest.h>

#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;

// Black pixels in the content band below the title: the indicator's track, which the list lacks.
int32_t blackInContent(const Picture& picture) {
    int32_t count = 0;
    for (int32_t y = 8; y < 200; ++y)
        for (int32_t x = 0; x < 300; ++x) count += picture.rgbAt(x, y) == 0x000000 ? 1 : 0;
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
    EXPECT_EQ(blackInContent(list), 0);
    EXPECT_GT(blackInContent(alert), 20) << "the running indicator";
}

}  // namespace
