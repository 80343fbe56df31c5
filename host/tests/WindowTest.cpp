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

// The program in a window with the options and the script, capturing into the directory; the SDL
// suppressions join whatever the test got.
RunningProgram start(const TemporaryDirectory& directory, std::vector<std::string> options,
                     const std::string& script) {
    const std::filesystem::path& in = directory.path();
    programtest::useSuppressionsToo(LEXIVO_LSAN_SDL_SUPPRESSIONS, in / "lsan.supp");
    std::ofstream(in / "script.txt") << script;
    options.insert(options.begin(), LEXIVO_QUIZ_PATH);
    options.insert(options.end(), {"--script", in / "script.txt", "--capture", in, "--documents", in / "documents"});
    return RunningProgram(LEXIVO_QUIZ_PATH, options, in / "stderr.txt");
}

std::string errorsOf(const TemporaryDirectory& directory) {
    std::ifstream in(directory.path() / "stderr.txt");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Window : public testing::Test {
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    }
};

TEST_F(Window, AClickOnTheWindowPressesTheButtonAndTheCapturesShowIt) {
    TemporaryDirectory directory("window-test");
    RunningProgram program = start(directory, {"--midlet", "demo"},
                                   "wait_frames 2 30000\ncapture before.png\nexpect_log demo: activated 1\n"
                                   "wait_frames 2 10000\ncapture after.png\nterminate\n");
    ASSERT_TRUE(program.readUntil("before.png")) << program.output();

    // The middle of the button, in window points at zoom 1.
    EXPECT_TRUE(programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", 160, 340));
    ASSERT_EQ(program.wait(), 0) << program.output() << errorsOf(directory);

    const Picture before = loadPicture(directory.path() / "before.png");
    const Picture after = loadPicture(directory.path() / "after.png");
    EXPECT_EQ(before.rgbAt(px(160), px(340)), DemoLayout::BUTTON_IDLE);
    EXPECT_EQ(after.rgbAt(px(160), px(340)), DemoLayout::BUTTON_ACTIVATED);
    EXPECT_EQ(after.rgbAt(px(66), px(398)), DemoLayout::COUNT_WHITE);
    EXPECT_NE(program.output().find("demo: pressed 320 680"), std::string::npos) << program.output();
    EXPECT_NE(program.output().find("demo: released 320 680"), std::string::npos);
}

// The quiz by default: a click on "New Test" in the window starts a test question. On a tablet the
// quiz once filled a corner of the screen with its labels off their buttons: it runs on the phone's
// screen, shown twice its size in the middle of the window, where the click lands, and its main menu
// is the phone's, compared where neither device's two frames differ, so that passing twinkles are left out.
TEST_F(Window, AClickOnNewTestShowsAQuestionAndOnATabletTheMainMenuIsThePhones) {
    struct Case {
        const char* device;
        int32_t clickX, clickY;  // New Test, in window pixels
    };
    std::vector<Picture> menus;  // the phone's two, then the tablet's
    for (const Case c : {Case{"iPhone2,1", 160, 192}, Case{"iPad1,1", 64 + 160 * 2, 32 + 192 * 2}}) {
        TemporaryDirectory directory("window-quiz-test");
        RunningProgram program = start(directory, {"--device", c.device},
                                       "expect_log quiz: screen 1: main menu\nwait_frames 12 10000\ncapture a.png\n"
                                       "wait_frames 2 10000\ncapture b.png\nexpect_log quiz: screen 2: question\n"
                                       "wait_frames 12 10000\ncapture question.png\nterminate\n");
        ASSERT_TRUE(program.readUntil("b.png")) << c.device << program.output();
        EXPECT_TRUE(programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", c.clickX, c.clickY)) << c.device;
        ASSERT_EQ(program.wait(), 0) << c.device << program.output();
        for (const char* frame : {"a.png", "b.png"}) menus.push_back(loadPicture(directory.path() / frame));
        // The question screen's level badge sits where the menu has its title bar.
        const Picture question = loadPicture(directory.path() / "question.png");
        EXPECT_NE(menus.back().rgbAt(40, 50), question.rgbAt(40, 50)) << c.device;
    }
    for (const Picture& menu : menus) ASSERT_EQ(std::make_pair(menu.width, menu.height), std::make_pair(320, 480));
    int32_t compared = 0, different = 0;
    for (size_t i = 0; i < menus[0].pixels.size(); ++i) {
        if (menus[0].pixels[i] != menus[1].pixels[i] || menus[2].pixels[i] != menus[3].pixels[i]) continue;
        ++compared;
        different += menus[0].pixels[i] != menus[2].pixels[i];
    }
    EXPECT_GT(compared, 320 * 480 * 9 / 10);
    EXPECT_EQ(different, 0);
}

// Losing the display once made Xlib exit from inside the event wait: destroyApp never ran and the
// statics went under the painting thread. A termination the script did not ask for once waited for
// the script's current wait to end.
TEST_F(Window, LosingTheDisplayOrBeingEndedFromOutsideEndsTheApplicationInOrder) {
    struct Case {
        const char* name;
        const char* action;  // a shell command, given the program's process id as $PID
        int status;
        const char* why;  // the one line on standard error, or null for none
    };
    const Case cases[] = {
        {"client killed", "xdotool search --all --sync --pid $PID --name 'ZAR Lexivo Quiz' windowkill", 4,
         "the application was ended: the connection to the X display was lost"},
        {"window destroyed by another client", "xdotool search --all --sync --pid $PID --name 'ZAR Lexivo Quiz' windowclose", 4,
         "the application was ended: an X protocol error"},
        {"asked to quit during an hour's wait", "kill -TERM $PID", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory("window-loss-test");
        RunningProgram program =
            start(directory, {"--midlet", "demo"}, "wait_frames 1 30000\nwait 3600000\ncapture never.png\n");
        ASSERT_TRUE(program.readUntil("demo: startApp")) << program.output();
        EXPECT_EQ(shell("PID=" + std::to_string(program.pid()) + "; " + c.action + " 2>/dev/null"), 0);
        const int status = program.wait();
        const std::string errorText = errorsOf(directory);
        EXPECT_EQ(status, c.status) << program.output() << errorText;
        EXPECT_NE(program.output().find("demo: destroyApp"), std::string::npos) << program.output();
        EXPECT_NE(program.output().find("ended from outside the script"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.png"));
        if (c.why) EXPECT_NE(errorText.find(c.why), std::string::npos) << errorText;
        EXPECT_EQ(errorText.find("Sanitizer"), std::string::npos) << errorText;
    }
}

TEST_F(Window, TheLocationDemonstrationLogsAFixReadFromGpsd) {
    TemporaryDirectory directory("window-gpsd-test");
    std::ofstream(directory.path() / "fixes.nmea") << gpsdtest::nmeaLog();
    const std::string port = gpsdtest::freePort();
    gpsdtest::FakeGpsd daemon(directory.path() / "fixes.nmea", port);
    for (int tries = 0; tries < 600 && !gpsdtest::accepts(port); ++tries) shell("sleep 0.05");
    ASSERT_TRUE(gpsdtest::accepts(port)) << "gpsfake did not start";
    // gpsd's own fix time comes as the description.
    RunningProgram program = start(directory, {"--midlet", "location", "--gpsd", "127.0.0.1:" + port},
                                   "wait_frames 1 30000\nexpect_log location: fix 51.50000 -0.12500 alt 35.0\n"
                                   "expect_log \"2026-01-07T12:00:0\nterminate\n");
    EXPECT_EQ(program.wait(), 0) << program.output() << errorsOf(directory);
}

// A window that would not fit the display at the asked zoom is opened at the largest zoom that fits,
// fully on the display: at zoom 2 the phone's 640 x 960 once opened at y = -180 of an 800 x 600 one.
// The tablet's screen once opened whole on any display, 256 pixels past the bottom of a laptop's.
// Each window is measured on a display of its own, and a click on the quiz's Statistics button,
// where the scaled screen shows it, opens the statistics.
TEST_F(Window, AWindowTooLargeForTheDisplayAtItsZoomIsOpenedSmallerAndFullyOnItAndTakesClicks) {
    struct Case {
        const char* display;
        int32_t displayWidth, displayHeight;
        const char* options;
        const char* line;
        int32_t width, height;
        int32_t clickX, clickY;  // Statistics, in window pixels
    };
    const Case cases[] = {
        {"800x600", 800, 600, "--device iPhone2,1 --zoom 2",
         "zoom 2 does not fit the display's usable 800 x 600 pixels; zoom 1 is used", 320, 480, 160, 332},
        {"1366x768", 1366, 768, "--device iPad1,1",
         "zoom 1 does not fit the display's usable 1366 x 768 pixels; zoom 0.75 is used", 576, 768, 48 + 240,
         24 + 498},
        {"800x600", 800, 600, "--device iPad1,1",
         "zoom 1 does not fit the display's usable 800 x 600 pixels; zoom 0.586 is used", 450, 600, 37 + 188,
         18 + 389},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.display) + " " + c.options);
        TemporaryDirectory directory("window-zoom-test");
        programtest::useSuppressionsToo(LEXIVO_LSAN_SDL_SUPPRESSIONS, directory.path() / "lsan.supp");
        const std::filesystem::path in = directory.path();
        std::ofstream(in / "script.txt") << "expect_log quiz: screen 2: statistics\nterminate\n";
        // The window is measured once its line, which follows its placement, is printed; the click
        // waits for the main menu; what the program printed follows the measures and its status.
        // Every wait is bounded, as a window that never comes would hold the search for ever.
        const std::string window = "timeout 60 xdotool search --sync --pid $pid --name 'ZAR Lexivo Quiz'";
        const auto printed = [](const char* text) {
            return "timeout 120 sh -c \"until grep -q '" + std::string(text) +
                   "' \\\"$2/output.txt\\\"; do sleep 0.05; done\"\n";
        };
        std::ofstream(in / "measure.sh")
            << "\"$1\" " << c.options << " --script \"$2/script.txt\" --documents \"$2/documents\""
            << " >\"$2/output.txt\" 2>&1 &\n"
            << "pid=$!\n"
            << printed("^window: ") << window << " getwindowgeometry --shell\n"
            << printed("quiz: screen 1: main menu") << window << " mousemove --window %1 --sync " << c.clickX << " "
            << c.clickY << " click 1\n"
            << "timeout 120 tail --pid=$pid -f /dev/null\nkill -9 $pid 2>/dev/null\nwait $pid\necho status $?\n"
            << "cat \"$2/output.txt\"\n";
        const std::string command = "xvfb-run -a -s '-screen 0 " + std::string(c.display) + "x24' sh " +
                                    (in / "measure.sh").string() + " " + LEXIVO_QUIZ_PATH + " " + in.string();
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_TRUE(pipe);
        std::string output;
        for (char line[256]; std::fgets(line, sizeof line, pipe);) output += line;
        ::pclose(pipe);
        int x = -1, y = -1, width = 0, height = 0;
        std::sscanf(output.c_str(), "WINDOW=%*d X=%d Y=%d WIDTH=%d HEIGHT=%d", &x, &y, &width, &height);
        EXPECT_NE(output.find(std::string("window: ") + c.line + "\n"), std::string::npos) << output;
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.width, c.height));
        EXPECT_TRUE(x >= 0 && y >= 0 && x + width <= c.displayWidth && y + height <= c.displayHeight)
            << x << "," << y;
        EXPECT_NE(output.find("status 0\n"), std::string::npos) << output;
        EXPECT_NE(output.find("quiz: screen 2: statistics"), std::string::npos) << output;
    }
}

}  // namespace
