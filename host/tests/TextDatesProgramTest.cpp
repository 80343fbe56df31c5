// The text and dates demonstrations end to end, headless on a 320 x 480 device in UTC: "Hi!" typed
// on the on-screen keyboard; the calendar opened, a month stepped and day 15 saved. First runs log
// where things lie; the sessions aim their touches and probe their captures there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::DemoRun;
using programtest::lastLoggedBox;
using programtest::loadPicture;
using programtest::Picture;
using programtest::TemporaryDirectory;
using Box = std::array<int32_t, 4>;

DemoRun run(const TemporaryDirectory& directory, const char* demo, const std::string& name, const std::string& script) {
    ::setenv("TZ", "UTC", 1);
    return programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, demo, name, script);
}

std::string at(int32_t x, int32_t y) { return std::to_string(x) + " " + std::to_string(y); }
std::string centre(const Box& area) { return at((area[0] + area[2]) / 2, (area[1] + area[3]) / 2); }

// "EVT text: key INDEX LABEL x,y,w,h", whatever the label, as the key's centre.
std::string keyCentre(const std::string& output, int32_t index) {
    const std::string prefix = "EVT text: key " + std::to_string(index) + " ";
    std::istringstream lines(output);
    Box key{-1, -1, -1, -1};
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        const size_t space = line.find(' ', prefix.size());
        if (space != std::string::npos) std::sscanf(line.c_str() + space + 1, "%d,%d,%d,%d", &key[0], &key[1], &key[2], &key[3]);
    }
    return at(key[0] + key[2] / 2, key[1] + key[3] / 2);
}

TEST(TextProgram, HiTypedOnTheKeyboardReachesTheField) {
    TemporaryDirectory directory("text-program-test");
    const DemoRun bars = run(directory, "text", "bars", "wait_frames 2 30000\nexpect_log text: area osktoggle\nterminate\n");
    ASSERT_EQ(bars.status, 0) << bars.output;
    const Box toggle = lastLoggedBox(bars.output, "EVT text: area osktoggle");
    const DemoRun keys = run(directory, "text", "keys",
                             "wait_frames 2 30000\ntap " + centre(toggle) + "\nexpect_log text: key 55\nterminate\n");
    ASSERT_EQ(keys.status, 0) << keys.output;
    constexpr int32_t SHIFT = 39, H = 33, I = 22, ONE = 1;
    const DemoRun session = run(
        directory, "text", "session",
        "wait_frames 2 30000\ntap " + centre(toggle) + "\nwait_frames 2 10000\ntap " + keyCentre(keys.output, SHIFT) +
            "\ntap " + keyCentre(keys.output, H) + "\ntap " + keyCentre(keys.output, I) + "\ntap " +
            keyCentre(keys.output, SHIFT) + "\ntap " + keyCentre(keys.output, ONE) +
            "\nexpect_log text: Name \"Hi!\"\nterminate\nexpect_log text: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output;
}

// Without commands too, the ticker runs above the soft-key bar: once its band covered the bar and
// the keyboard toggle, the only way to open the keyboard by touch.
TEST(TextDatesProgram, TheRunningTickerLeavesTheSoftKeyBarAndItsKeyboardToggleInSight) {
    TemporaryDirectory directory("ticker-program-test");
    Box toggle{};  // in the same place on every screen; the text demonstration logs it
    for (const std::string demo : {"text", "dates"}) {
        const DemoRun session = run(directory, demo.c_str(), demo,
                                    "wait_frames 2 30000\nexpect_log " + demo + (demo == "text" ? ": area osktoggle" : ": line") +
                                        "\nwait_frames 2 10000\ncapture " + demo + ".png\nterminate\n");
        ASSERT_EQ(session.status, 0) << session.output;
        if (demo == "text") toggle = lastLoggedBox(session.output, "EVT text: area osktoggle");
        // The toggle's black corners, and left of it nothing over the bar's plain background.
        const Picture chrome = loadPicture(directory.path() / (demo + ".png"));
        int32_t wrong = 0;
        for (int32_t y = toggle[1]; y <= toggle[3]; ++y)
            for (int32_t x = 0; x <= toggle[2]; ++x)
                wrong += x < toggle[0] ? chrome.rgbAt(x, y) != 0xCCCCCC
                                       : (x == toggle[0] || x == toggle[2]) && (y == toggle[1] || y == toggle[3]) &&
                                             chrome.rgbAt(x, y) != 0x000000;
        EXPECT_EQ(wrong, 0) << demo;
    }
}

TEST(DatesProgram, TheCalendarStepsAMonthAndSavesTheTouchedDay) {
    TemporaryDirectory directory("dates-program-test");
    const DemoRun first = run(directory, "dates", "first", "wait_frames 2 30000\nexpect_log dates: line\nterminate\n");
    ASSERT_EQ(first.status, 0) << first.output;
    const std::string line = centre(lastLoggedBox(first.output, "EVT dates: line"));
    const std::string opening = "wait_frames 2 30000\ntap " + line + "\nexpect_log dates: view calendar 0 2012\n";
    const DemoRun january = run(directory, "dates", "january", opening + "expect_log dates: area monthinc\nterminate\n");
    ASSERT_EQ(january.status, 0) << january.output;
    const std::string arrow = centre(lastLoggedBox(january.output, "EVT dates: area monthinc"));
    const std::string stepping = opening + "tap " + arrow + "\nexpect_log dates: view calendar 1 2012\n";
    const DemoRun february = run(directory, "dates", "february", stepping + "wait_frames 2 10000\nterminate\n");
    ASSERT_EQ(february.status, 0) << february.output;
    const Box cell = lastLoggedBox(february.output, "EVT dates: cell 15");
    ASSERT_GE(cell[0], 0) << february.output;
    const DemoRun session = run(directory, "dates", "session",
                                stepping + "tap " + at(cell[0] + cell[2] / 2, cell[1] + cell[3] / 2) +
                                    "\nwait_frames 2 10000\ncapture day.png\ntap 316 479\n"
                                    "expect_log dates: saved Wed Feb 15 2012\nterminate\nexpect_log dates: destroyApp\n");
    ASSERT_EQ(session.status, 0) << session.output;
    const Picture day = loadPicture(directory.path() / "day.png");
    ASSERT_EQ(day.width, 320);
    EXPECT_EQ(day.rgbAt(cell[0] + cell[2] / 2, cell[1] + cell[3] / 2), 0x0000CC) << "the touched day";
}

}  // namespace
