// The lists demonstration end to end, headless on a 320 x 480 device: the select soft key picks the
// focused row (drawn highlighted), its alert shows, and the list comes back when the alert times out.
#include <gtest/gtest.h>

#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;

// Pixels of the colour in the rectangle from (x0, y0) up to, not including, (x1, y1).
int32_t countIn(const Picture& picture, int32_t rgb, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    int32_t count = 0;
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x) count += picture.rgbAt(x, y) == rgb ? 1 : 0;
    return count;
}

// Pixels of the colour in the content band below the title.
int32_t countInContent(const Picture& picture, int32_t rgb) { return countIn(picture, rgb, 0, 8, 300, 200); }

TEST(ListsProgram, APickShowsItsAlertAndTheListReturns) {
    programtest::TemporaryDirectory directory("lists-program-test");
    // The bottom-right corner lies on the forward soft key whatever the font.
    const auto session = programtest::runDemoScript(
        LEXIVO_QUIZ_PATH, directory, "lists", "session",
        "wait_frames 1 30000\ncapture list.png\ntap 316 479\nexpect_log lists: picked 0\n"
        "expect_log lists: alert busy\nwait_frames 2 10000\ncapture alert.png\nexpect_log lists: back to the list\n"
        "terminate\nexpect_log lists: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output << session.errors;
    const Picture list = loadPicture(directory.path() / "list.png");
    const Picture alert = loadPicture(directory.path() / "alert.png");
    ASSERT_EQ(alert.width, 320);
    EXPECT_GT(countInContent(list, 0x0000CC), 20) << "the focused row";
    EXPECT_EQ(countInContent(alert, 0x0000CC), 0) << "an alert highlights nothing";
    EXPECT_GT(countInContent(alert, 0x000000), 20) << "its text and running indicator";
}

// On the retina device, whose keyboard takes less of the view: the keyboard's down arrow pressed,
// slid up off the keyboard and lifted there still sends its release, on which the list moves its
// focus one row and no further. One frame follows each touch, so each wait is for that touch's.
TEST(ListsProgram, AnArrowKeySlidOffTheKeyboardMovesTheListOnceAndStops) {
    programtest::TemporaryDirectory directory("lists-program-test");
    const auto session = programtest::runDemoScript(
        LEXIVO_QUIZ_PATH, directory, "lists", "slide",
        "wait_frames 1 30000\n"
        "down 160 472\nwait_frames 1 10000\nup 160 472\nwait_frames 1 10000\n"
        "down 308 459\nwait_frames 1 10000\nmove 160 200\nwait_frames 1 10000\nup 160 200\nwait_frames 1 10000\n"
        "capture lifted.png\ntap 316 479\nexpect_log lists: picked 1\n"
        "terminate\nexpect_log lists: destroyApp\n",
        "iPhone3,1");
    EXPECT_EQ(session.status, 0) << session.output << session.errors;
    const Picture lifted = loadPicture(directory.path() / "lifted.png");
    ASSERT_EQ(lifted.width, 640);
    EXPECT_EQ(countIn(lifted, 0x0000CC, 596, 900, 640, 935), 0) << "the down arrow key let go";
    // Each row's middle line, across the list: only the focused one is on the highlight colour.
    const int32_t focused[] = {countIn(lifted, 0x0000CC, 20, 50, 600, 51), countIn(lifted, 0x0000CC, 20, 81, 600, 82),
                               countIn(lifted, 0x0000CC, 20, 112, 600, 113)};
    EXPECT_EQ(focused[0], 0);
    EXPECT_GT(focused[1], 200) << "one row down";
    EXPECT_EQ(focused[2], 0);
}

}  // namespace
