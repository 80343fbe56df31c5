// The chrome demonstration end to end, headless on a 320 x 480 device: a first run logs where the
// chrome put its areas, keys and popup rows and how high a row is; the session aims its touches and
// probes its captures there.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "demos/ChromeDemo.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;
using programtest::TemporaryDirectory;
using Box = std::array<int32_t, 4>;
using ChromeRun = programtest::DemoRun;

ChromeRun runChrome(const TemporaryDirectory& directory, const std::string& name, const std::string& script) {
    return programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, "chrome", name, script);
}

// The last place logged for "EVT chrome: <what> x0,y0,x1,y1" (areas) or "... x,y,w,h" (keys).
Box logged(const std::string& output, const std::string& what) {
    return programtest::lastLoggedBox(output, "EVT chrome: " + what);
}

std::string at(int32_t x, int32_t y) { return std::to_string(x) + " " + std::to_string(y); }
std::string centre(const Box& area) { return at((area[0] + area[2]) / 2, (area[1] + area[3]) / 2); }
std::string keyCentre(const Box& key) { return at(key[0] + key[2] / 2, key[1] + key[3] / 2); }

TEST(ChromeProgram, MenuRowsThumbAndKeyboardWorkByTouchAndShowInTheCaptures) {
    TemporaryDirectory directory("chrome-program-test");
    const ChromeRun bars =
        runChrome(directory, "bars", "wait_frames 2 30000\nexpect_log chrome: area fwdsoft\nterminate\n");
    ASSERT_EQ(bars.status, 0) << bars.output;
    const Box forward = logged(bars.output, "area fwdsoft");
    const Box toggle = logged(bars.output, "area osktoggle");
    const Box thumb = logged(bars.output, "area scrollbarbox");
    const Box content = logged(bars.output, "geometry content");
    ASSERT_GE(forward[0], 0) << bars.output;

    const ChromeRun opened = runChrome(directory, "opened",
                                       "wait_frames 2 30000\ntap " + centre(forward) +
                                           "\nexpect_log chrome: area popup2\ntap " + centre(forward) +
                                           "\nwait_frames 2 10000\ntap " + centre(toggle) +
                                           "\nexpect_log chrome: key 55\nterminate\n");
    ASSERT_EQ(opened.status, 0) << opened.output;
    const Box row0 = logged(opened.output, "area popup0");
    const Box row1 = logged(opened.output, "area popup1");
    const Box h = logged(opened.output, "key 33 h");
    const Box i = logged(opened.output, "key 22 i");
    const Box q = logged(opened.output, "key 15 q");
    ASSERT_GE(q[0], 0) << opened.output;

    // The thumb dragged 100 pixels down scrolls the rows by 100 track pixels' share of them.
    const int32_t rowHeight = logged(bars.output, "geometry rows")[0];
    ASSERT_GT(rowHeight, 0) << bars.output;
    const int32_t rows = demo::ChromeDemoLayout::ROWS * rowHeight;
    const int32_t visible = content[3] - content[1];
    const int32_t scrolled = std::min(rows * 100 / (visible - 22), rows - visible);
    const int32_t rowAfterDrag = (5 + scrolled) / rowHeight + 1;
    const int32_t thumbX = (thumb[0] + thumb[2]) / 2, thumbY = thumb[1] + 5;
    const std::string firstRow = at(100, content[1] + 5);
    // Delete takes the last row away; once the rest fit the bar goes and the rows start at the top.
    const int32_t fitting = visible / rowHeight;
    const Box deleteRow = logged(opened.output, "area popup3");
    std::string deletes;
    for (int32_t left = demo::ChromeDemoLayout::ROWS - 1; left >= fitting; --left)
        deletes += "tap " + centre(forward) + "\nwait_frames 2 10000\ntap " + centre(deleteRow) +
                   "\nexpect_log chrome: " + std::to_string(left) + " rows\nwait_frames 2 10000\n";
    const ChromeRun session = runChrome(
        directory, "session",
        "wait_frames 2 30000\ncapture start.png\n"
        "tap " + centre(forward) + "\nwait_frames 2 10000\ncapture menu.png\n"
        "tap " + centre(row1) + "\nexpect_log chrome: command Second\n"
        "tap " + firstRow + "\nexpect_log chrome: row 1\n"
        "down " + at(thumbX, thumbY) + "\nmove " + at(thumbX, thumbY + 50) + "\nmove " + at(thumbX, thumbY + 100) +
        "\nup " + at(thumbX, thumbY + 100) + "\nwait_frames 2 10000\n"
        "tap " + firstRow + "\nexpect_log chrome: row " + std::to_string(rowAfterDrag) + "\n" + deletes +
        "capture fit.png\ntap " + firstRow + "\nexpect_log chrome: row 1\n"
        "tap " + centre(toggle) + "\nwait_frames 2 10000\n"
        "tap " + keyCentre(h) + "\ntap " + keyCentre(i) + "\nexpect_log chrome: typed \"hi\"\n"
        "down " + keyCentre(q) + "\nwait_frames 2 10000\ncapture key.png\nup " + keyCentre(q) + "\n"
        "expect_log chrome: typed \"hiq\"\nterminate\nexpect_log chrome: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output;

    const Picture start = loadPicture(directory.path() / "start.png");
    ASSERT_EQ(start.width, 320);
    EXPECT_EQ(start.rgbAt(forward[0] + 40, forward[1] + 2), 0xCCCCCC) << "the soft-key bar";
    EXPECT_EQ(start.rgbAt(300, content[1] + 10), 0xCCCCCC) << "the form";
    EXPECT_EQ(start.rgbAt(thumbX, thumbY), 0x000000) << "the thumb";
    const Picture fit = loadPicture(directory.path() / "fit.png");
    EXPECT_EQ(fit.rgbAt(thumbX, thumbY), 0xCCCCCC) << "no bar once the rows fit";
    const Picture menu = loadPicture(directory.path() / "menu.png");
    EXPECT_EQ(menu.rgbAt(row0[0] + 1, (row0[1] + row0[3]) / 2), 0x0000CC) << "the selected popup row";
    EXPECT_EQ(menu.rgbAt(row1[0] + 1, (row1[1] + row1[3]) / 2), 0xCCCCCC) << "the other rows";
    const Picture key = loadPicture(directory.path() / "key.png");
    EXPECT_EQ(key.rgbAt(q[0] + 2, q[1] + 2), 0x0000CC) << "the key under the finger";
    EXPECT_EQ(key.rgbAt(h[0] + 2, h[1] + 2), 0xCCCCCC) << "keys typed before are released";
}

}  // namespace
