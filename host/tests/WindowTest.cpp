// The program in a real SDL window: a click sent to the window by the X server presses and
// releases the demonstration's button, and the captures show it. Needs an X display (xvfb-run).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/tests/ProgramRun.h"
#include "demos/DemoLayout.h"
#include "host/tests/FakeGpsd.h"

namespace {

using demo::DemoLayout;
using programtest::loadPicture;
using programtest::Picture;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;

int32_t px(int32_t layout) { return layout * 2 + 1; }

// Runs a shell command; its exit status.
int shell(const std::string& command) { return std::system(command.c_str()); }

// The SDL suppressions join whatever the test got.
void useSdlSuppressionsToo(const std::filesystem::path& combined) {
    programtest::useSuppressionsToo(LEXIVO_LSAN_SDL_SUPPRESSIONS, combined);
}

TEST(Window, AClickOnTheWindowPressesTheButtonAndTheCapturesShowIt) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    TemporaryDirectory directory("window-test");
    useSdlSuppressionsToo(directory.path() / "lsan.supp");
    std::ofstream(directory.path() / "click.txt") << "wait_frames 2 30000\n"
                                                     "capture before.png\n"
                                                     "expect_log demo: activated 1\n"
                                                     "wait_frames 2 10000\n"
                                                     "capture after.png\n"
                                                     "terminate\n";
    RunningProgram program(LEXIVO_QUIZ_PATH,
                           {LEXIVO_QUIZ_PATH, "--midlet", "demo", "--script", (directory.path() / "click.txt").string(), "--capture",
                            directory.path().string(), "--documents", (directory.path() / "documents").string()},
                           directory.path() / "stderr.txt");
    ASSERT_TRUE(program.readUntil("before.png")) << program.output();

    // The middle of the button, in window points at zoom 1.
    EXPECT_TRUE(programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", 160, 340));
    const int status = program.wait();
    std::ifstream errors(directory.path() / "stderr.txt");
    const std::string errorText((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    ASSERT_EQ(status, 0) << program.output() << errorText;

    const Picture before = loadPicture(directory.path() / "before.png");
    const Picture after = loadPicture(directory.path() / "after.png");
    EXPECT_EQ(before.rgbAt(px(160), px(340)), DemoLayout::BUTTON_IDLE);
    EXPECT_EQ(after.rgbAt(px(160), px(340)), DemoLayout::BUTTON_ACTIVATED);
    EXPECT_EQ(after.rgbAt(px(66), px(398)), DemoLayout::COUNT_WHITE);
    EXPECT_NE(program.output().find("demo: pressed 320 680"), std::string::npos) << program.output();
    EXPECT_NE(program.output().find("demo: released 320 680"), std::string::npos);
}

// The quiz by default: a click on "New Test" in the window starts a test question; on a tablet the
// quiz's phone screen is shown twice its size in the middle of the window, and the click lands there.
TEST(Window, AClickOnNewTestInTheQuizsWindowShowsAQuestion) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    struct Case {
        const char* device;
        int32_t clickX, clickY;  // New Test, in window pixels
        int32_t scale;           // captured pixels per view point
    };
    for (const Case c : {Case{"iPhone3,1", 160, 192, 2}, Case{"iPad1,1", 64 + 160 * 2, 32 + 192 * 2, 1}}) {
        TemporaryDirectory directory("window-quiz-test");
        useSdlSuppressionsToo(directory.path() / "lsan.supp");
        std::ofstream(directory.path() / "quiz.txt") << "expect_log quiz: screen 1: main menu\n"
                                                        "wait_frames 12 10000\n"
                                                        "capture menu.png\n"
                                                        "expect_log quiz: screen 2: question\n"
                                                        "wait_frames 12 10000\n"
                                                        "capture question.png\n"
                                                        "terminate\n";
        RunningProgram program(LEXIVO_QUIZ_PATH,
                               {LEXIVO_QUIZ_PATH, "--device", c.device, "--script", (directory.path() / "quiz.txt").string(),
                                "--capture", directory.path().string(), "--documents",
                                (directory.path() / "documents").string()},
                               directory.path() / "stderr.txt");
        ASSERT_TRUE(program.readUntil("menu.png")) << c.device << program.output();
        EXPECT_TRUE(programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", c.clickX, c.clickY)) << c.device;
        const int status = program.wait();
        ASSERT_EQ(status, 0) << c.device << program.output();
        const Picture menu = loadPicture(directory.path() / "menu.png");
        const Picture question = loadPicture(directory.path() / "question.png");
        EXPECT_EQ(menu.width, 320 * c.scale) << c.device;
        // The question screen's level badge sits where the menu has its title bar.
        EXPECT_NE(menu.rgbAt(40 * c.scale, 50 * c.scale), question.rgbAt(40 * c.scale, 50 * c.scale)) << c.device;
    }
}

// Losing the display once made Xlib exit from inside the event wait: destroyApp never ran and the
// statics went under the painting thread. A termination the script did not ask for once waited for
// the script's current wait to end.
TEST(Window, LosingTheDisplayOrBeingEndedFromOutsideEndsTheApplicationInOrder) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    struct Case {
        const char* name;
        const char* action;  // a shell command; %PID% stands for the program's process id
        int status;
        const char* why;  // the one line on standard error, or null for none
    };
    const Case cases[] = {
        {"client killed", "xdotool search --all --sync --pid %PID% --name 'ZAR Lexivo Quiz' windowkill", 4,
         "the application was ended: the connection to the X display was lost"},
        {"window destroyed by another client", "xdotool search --all --sync --pid %PID% --name 'ZAR Lexivo Quiz' windowclose", 4,
         "the application was ended: an X protocol error"},
        {"asked to quit during an hour's wait", "kill -TERM %PID%", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory("window-loss-test");
        useSdlSuppressionsToo(directory.path() / "lsan.supp");
        std::ofstream(directory.path() / "wait.txt") << "wait_frames 1 30000\nwait 3600000\ncapture never.png\n";
        RunningProgram program(LEXIVO_QUIZ_PATH,
                               {LEXIVO_QUIZ_PATH, "--midlet", "demo", "--script", (directory.path() / "wait.txt").string(), "--capture",
                                directory.path().string(), "--documents", (directory.path() / "documents").string()},
                               directory.path() / "stderr.txt");
        ASSERT_TRUE(program.readUntil("demo: startApp")) << program.output();
        std::string action = c.action;
        for (size_t at = action.find("%PID%"); at != std::string::npos; at = action.find("%PID%"))
            action.replace(at, 5, std::to_string(program.pid()));
        EXPECT_EQ(shell(action + " 2>/dev/null"), 0);
        const int status = program.wait();
        std::ifstream errors(directory.path() / "stderr.txt");
        const std::string errorText((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
        EXPECT_EQ(status, c.status) << program.output() << errorText;
        EXPECT_NE(program.output().find("demo: destroyApp"), std::string::npos) << program.output();
        EXPECT_NE(program.output().find("ended from outside the script"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.png"));
        if (c.why) EXPECT_NE(errorText.find(c.why), std::string::npos) << errorText;
        EXPECT_EQ(errorText.find("Sanitizer"), std::string::npos) << errorText;
    }
}

TEST(Window, TheLocationDemonstrationLogsAFixReadFromGpsd) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    TemporaryDirectory directory("window-gpsd-test");
    useSdlSuppressionsToo(directory.path() / "lsan.supp");
    std::ofstream(directory.path() / "fixes.nmea") << gpsdtest::nmeaLog();
    const std::string port = gpsdtest::freePort();
    gpsdtest::FakeGpsd daemon(directory.path() / "fixes.nmea", port);
    for (int tries = 0; tries < 600 && !gpsdtest::accepts(port); ++tries) shell("sleep 0.05");
    ASSERT_TRUE(gpsdtest::accepts(port)) << "gpsfake did not start";

    std::ofstream(directory.path() / "gpsd.txt") << "wait_frames 1 30000\n"
                                                    "expect_log location: fix 51.50000 -0.12500 alt 35.0\n"
                                                    // gpsd's own fix time comes as the description.
                                                    "expect_log \"2026-01-07T12:00:0\n"
                                                    "terminate\n";
    RunningProgram program(LEXIVO_QUIZ_PATH,
                           {LEXIVO_QUIZ_PATH, "--midlet", "location", "--gpsd", "127.0.0.1:" + port, "--script",
                            (directory.path() / "gpsd.txt").string(), "--capture", directory.path().string(),
                            "--documents", (directory.path() / "documents").string()},
                           directory.path() / "stderr.txt");
    const int status = program.wait();
    std::ifstream errors(directory.path() / "stderr.txt");
    const std::string errorText((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_EQ(status, 0) << program.output() << errorText;
}

// A window that would not fit the display at the asked zoom is opened at the largest zoom that fits,
// fully on the display: at zoom 2 the phone's 640 x 960 once opened at y = -180 of an 800 x 600 one.
TEST(Window, AWindowTooLargeForTheDisplayAtItsZoomIsOpenedSmallerAndFullyOnIt) {
    TemporaryDirectory directory("window-zoom-test");
    useSdlSuppressionsToo(directory.path() / "lsan.supp");
    // The window stays until it has been measured on a display of its own; then the program is
    // ended, and what it printed follows the measures.
    const std::filesystem::path script = directory.path() / "zoom.txt", output = directory.path() / "output.txt";
    std::ofstream(script) << "wait 30000\nterminate\n";
    const std::string command = "xvfb-run -a -s '-screen 0 800x600x24' sh -c '" + std::string(LEXIVO_QUIZ_PATH) +
                                " --midlet demo --zoom 2 --script " + script.string() + " --documents " +
                                (directory.path() / "documents").string() + " >" + output.string() +
                                " 2>&1 & xdotool search --sync --pid $! --name \"ZAR Lexivo Quiz\" getwindowgeometry"
                                " --shell; kill -9 $!; cat " + output.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::string printed;
    for (char line[256]; std::fgets(line, sizeof line, pipe);) printed += line;
    ::pclose(pipe);
    int x = -1, y = -1, width = 0, height = 0;
    std::sscanf(printed.c_str(), "WINDOW=%*d X=%d Y=%d WIDTH=%d HEIGHT=%d", &x, &y, &width, &height);
    EXPECT_NE(printed.find("window: zoom 2 does not fit the display's usable 800 x 600 pixels; zoom 1 is used"),
              std::string::npos)
        << printed;
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 480);
    EXPECT_TRUE(x >= 0 && y >= 0 && x + width <= 800 && y + height <= 600) << x << "," << y;
}

}  // namespace
