// The program end to end, headless: a script presses, pauses, resumes, tilts and terminates the
// demonstration MIDlet, and its captures show what each step did. Also how the program starts:
// its directories and its options.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

#include "host/tests/ProgramRun.h"
#include "demos/DemoLayout.h"
#include "tools/writers/RuntimeFontFile.h"

namespace {

using demo::DemoLayout;
using programtest::countOccurrences;
using programtest::loadPicture;
using programtest::Picture;
using programtest::RunningProgram;
using programtest::ScopedVariable;
using programtest::TemporaryDirectory;

// Layout units are doubled on the default retina device; the place is the middle of a layout unit.
int32_t px(int32_t layout) { return layout * 2 + 1; }

struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;
};

ProgramRun runProgram(const TemporaryDirectory& directory, std::vector<std::string> arguments,
               const std::string& invokedAs = LEXIVO_QUIZ_PATH) {
    arguments.insert(arguments.begin(), invokedAs);
    const std::filesystem::path errors = directory.path() / "stderr.txt";
    RunningProgram program(LEXIVO_QUIZ_PATH, arguments, errors);
    ProgramRun run;
    run.status = program.wait();
    run.output = program.output();
    std::ifstream in(errors);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

void writeFile(const std::filesystem::path& file, const std::string& text) { std::ofstream(file) << text; }

TEST(Program, AScriptedSessionShowsEachStepInItsCaptures) {
    TemporaryDirectory directory("program-test");
    writeFile(directory.path() / "session.txt",
              "wait_frames 2 30000\n"
              "capture start.png\n"
              "down 160 340\n"
              "wait_frames 2 10000\n"
              "capture held.png\n"
              "move 170 345\n"
              "up 170 345\n"
              "expect_log demo: activated 1\n"
              "wait_frames 2 10000\n"
              "capture activated.png\n"
              "accel 0.25 -1 0 for 60\n"
              "# A pause in the middle of a press: the press acts on nothing, and nothing gets in.\n"
              "down 160 340\n"
              "pause\n"
              "accel 0.75 0 0 for 40\n"
              "tap 100 100 0\n"
              "resume\n"
              "up 160 340\n"
              "wait_frames 2 10000\n"
              "capture resumed.png\n"
              "terminate\n"
              "expect_log demo: destroyApp\n");
    const ProgramRun run = runProgram(directory, {"--headless", "--midlet", "demo", "--script", (directory.path() / "session.txt").string(),
                                           "--capture", directory.path().string(), "--documents",
                                           (directory.path() / "documents").string()});
    ASSERT_EQ(run.status, 0) << run.output << run.errors;

    const Picture start = loadPicture(directory.path() / "start.png");
    ASSERT_EQ(start.width, 640);
    ASSERT_EQ(start.height, 960);
    EXPECT_EQ(start.rgbAt(px(60), px(60)), DemoLayout::RED);
    EXPECT_EQ(start.rgbAt(px(230), px(70)), DemoLayout::GREEN);
    EXPECT_EQ(start.rgbAt(px(22), px(142)), DemoLayout::IMAGE_BLUE);
    EXPECT_EQ(start.rgbAt(px(30), px(142)), DemoLayout::IMAGE_WHITE);
    EXPECT_EQ(start.rgbAt(px(160), px(340)), DemoLayout::BUTTON_IDLE);
    EXPECT_EQ(start.rgbAt(px(300), px(450)), DemoLayout::BACKGROUND);
    // The demonstration's line of text, drawn with the bundle's font.
    int textPixels = 0;
    for (int y = px(230); y < px(246); ++y)
        for (int x = px(100); x < px(180); ++x) textPixels += start.rgbAt(x, y) != DemoLayout::BACKGROUND;
    EXPECT_GT(textPixels, 100) << "the text shows";

    const Picture held = loadPicture(directory.path() / "held.png");
    EXPECT_EQ(held.rgbAt(px(70), px(310)), DemoLayout::BUTTON_HELD);
    EXPECT_EQ(held.rgbAt(px(160), px(340)), DemoLayout::FINGER);

    const Picture activated = loadPicture(directory.path() / "activated.png");
    EXPECT_EQ(activated.rgbAt(px(70), px(310)), DemoLayout::BUTTON_ACTIVATED);
    EXPECT_EQ(activated.rgbAt(px(66), px(398)), DemoLayout::COUNT_WHITE);
    EXPECT_EQ(activated.rgbAt(px(86), px(398)), DemoLayout::BACKGROUND);
    EXPECT_EQ(activated.rgbAt(px(66), px(426)), DemoLayout::BACKGROUND);

    // Resumed: still one activation, not held, no finger, one resume.
    const Picture resumed = loadPicture(directory.path() / "resumed.png");
    EXPECT_EQ(resumed.rgbAt(px(70), px(310)), DemoLayout::BUTTON_ACTIVATED);
    EXPECT_EQ(resumed.rgbAt(px(160), px(340)), DemoLayout::BUTTON_ACTIVATED);
    EXPECT_EQ(resumed.rgbAt(px(86), px(398)), DemoLayout::BACKGROUND);
    EXPECT_EQ(resumed.rgbAt(px(66), px(426)), DemoLayout::RESUME_ORANGE);

    EXPECT_NE(run.output.find("demo: pressed 320 680"), std::string::npos);
    EXPECT_NE(run.output.find("demo: released 340 690"), std::string::npos);
    EXPECT_NE(run.output.find("demo: released -1 -1"), std::string::npos);
    EXPECT_EQ(run.output.find("demo: activated 2"), std::string::npos);
    EXPECT_EQ(run.output.find("demo: pressed 200 200"), std::string::npos);
    // The samples reach the MIDlet's tilt listener (asin 0.25, asin -1), none while paused, and
    // the host prints none of them.
    EXPECT_NE(run.output.find("demo: tilt pitch -1.5708 roll 0.2527"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("roll 0.8481"), std::string::npos);
    EXPECT_EQ(run.output.find("setTilt"), std::string::npos);
    EXPECT_EQ(countOccurrences(run.output, "demo: pauseApp"), 1u);
}

TEST(Program, TheDemonstrationDrawsTextOnceTheBundleHasAFontAndRunsWithoutOne) {
    TemporaryDirectory directory("program-font-test");
    writeFile(directory.path() / "frame.txt", "wait_frames 2 30000\ncapture frame.png\nterminate\n");
    // Every letter of the demonstration's caption as a solid block.
    writers::RuntimeFont font;
    for (const char16_t letter : std::u16string(u"Ldeimovx"))
        font.glyphs.push_back({letter, 0, {"###", "###", "###", "###", "###"}});
    const std::vector<uint8_t> fontBytes = font.bytes();
    const std::filesystem::path withFont = directory.path() / "with-font";
    std::filesystem::create_directories(withFont);
    std::ofstream(withFont / "wlbmpfnt", std::ios::binary)
        .write(reinterpret_cast<const char*>(fontBytes.data()), static_cast<std::streamsize>(fontBytes.size()));
    const std::filesystem::path withoutFont = directory.path() / "without-font";
    std::filesystem::create_directories(withoutFont);

    const auto captionPixels = [&](const std::filesystem::path& bundle, std::string& errors) {
        const ProgramRun run = runProgram(directory, {"--headless", "--midlet", "demo", "--bundle", bundle.string(), "--script",
                                                      (directory.path() / "frame.txt").string(), "--capture",
                                                      bundle.string(), "--documents",
                                                      (directory.path() / "documents").string()});
        EXPECT_EQ(run.status, 0) << run.errors;
        errors = run.errors;
        const Picture frame = loadPicture(bundle / "frame.png");
        int lit = 0;
        for (int32_t y = 2 * 230; y < 2 * 230 + 20; ++y)
            for (int32_t x = 2 * 100; x < 2 * 100 + 120; ++x) lit += frame.rgbAt(x, y) == 0xFFFFFF;
        return lit;
    };
    std::string errors;
    EXPECT_GT(captionPixels(withFont, errors), 0);
    EXPECT_EQ(errors.find("font"), std::string::npos) << errors;
    EXPECT_EQ(captionPixels(withoutFont, errors), 0);
    EXPECT_EQ(countOccurrences(errors, "\n"), 1u) << errors;
    EXPECT_NE(errors.find("font file \"wlbmpfnt\" is missing or damaged"), std::string::npos) << errors;
}

TEST(Program, SoundsPlayThroughTheRuntimesTicksOrStaySilentWithOneLineWithoutADevice) {
    struct Case {
        const char* drivers;
        bool device;
        bool capped = false;  // started under a file-size limit
    };
    // The ALSA case fails to open on any machine: its configuration cannot be read; so does the
    // PulseAudio case, with no server at its address, after its client has sized a 64 MiB
    // shared-memory file, which a file-size limit refuses.
    for (const Case c : {Case{"null", true}, Case{"no-such-back-end", false}, Case{"alsa", false},
                         Case{"pulse", false, true}}) {
        TemporaryDirectory directory("program-sound-test");
        writeFile(directory.path() / "alsa.conf", "unreadable {\n");
        setenv("ALSA_CONFIG_PATH", (directory.path() / "alsa.conf").c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + (directory.path() / "no-server").string()).c_str(), 1);
        setenv("ALSOFT_DRIVERS", c.drivers, 1);
        const std::string played = c.device ? "expect_log sound: started 312\n"
                                              "expect_log sound: endOfMedia\n"
                                              "audio_interruption begin\n"
                                              "tap 160 240\n"
                                              "expect_log sound: not started 293\n"
                                              "audio_interruption end\n"
                                              "tap 160 240\n"
                                              "expect_log sound: started 310\n"
                                            : "expect_log sound: not started 312\n";
        // The flat screen is presented; only sounds that were started log their close at exit.
        writeFile(directory.path() / "sound.txt",
                  "expect_log sound: loaded\nwait_frames 1 10000\ncapture sound.png\ntap 160 240\n" + played +
                      "terminate\n" + (c.device ? "expect_log sound: closed\n" : ""));
        // The limit is inherited from this process, which writes nothing meanwhile.
        rlimit kept{};
        ::getrlimit(RLIMIT_FSIZE, &kept);
        const rlimit cap{std::min<rlim_t>(1000000, kept.rlim_max), kept.rlim_max};
        if (c.capped) ::setrlimit(RLIMIT_FSIZE, &cap);
        const ProgramRun run = runProgram(directory, {"--headless", "--midlet", "sound", "--script",
                                                      (directory.path() / "sound.txt").string(), "--capture",
                                                      directory.path().string(), "--documents",
                                                      (directory.path() / "documents").string()});
        ::setrlimit(RLIMIT_FSIZE, &kept);
        unsetenv("ALSOFT_DRIVERS");
        unsetenv("ALSA_CONFIG_PATH");
        unsetenv("PULSE_SERVER");
        EXPECT_EQ(run.status, 0) << c.drivers << run.output << run.errors;
        EXPECT_EQ(loadPicture(directory.path() / "sound.png").rgbAt(10, 10), 0x203040) << c.drivers;
        EXPECT_EQ(countOccurrences(run.output, "sound: closed"), c.device ? 2u : 0u) << c.drivers << run.output;
        // Under the limit the PulseAudio client says itself that its file could not be sized.
        const std::string silent = "media: no audio output device could be opened; sounds stay silent\n";
        EXPECT_EQ(run.errors, c.device ? "" : c.capped ? "ftruncate() failed: File too large\n" + silent : silent)
            << c.drivers;
    }
}

TEST(Program, TheBundleIsTheExecutablesDirectoryHoweverItIsInvoked) {
    TemporaryDirectory directory("program-bundle-test");
    const std::string expected = std::filesystem::path(LEXIVO_QUIZ_PATH).parent_path().string();
    for (const std::string& invokedAs : {std::string("lexivo-quiz"), std::string("/elsewhere/lexivo-quiz"),
                                        std::string(LEXIVO_QUIZ_PATH)}) {
        writeFile(directory.path() / "end.txt", "end\n");
        const ProgramRun run = runProgram(directory,
                                   {"--headless", "--script", (directory.path() / "end.txt").string(), "--documents",
                                    (directory.path() / "documents").string()},
                                   invokedAs);
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_NE(run.output.find("bundle " + expected + ","), std::string::npos) << invokedAs << ": " << run.output;
    }
}

TEST(Program, BadOptionsUnusableDirectoriesAndBadScriptsStopItWithAClearMessage) {
    TemporaryDirectory directory("program-failure-test");
    writeFile(directory.path() / "a-file", "x");
    writeFile(directory.path() / "bad.txt", "wait 10\ntap 10\n");
    const std::string documents = (directory.path() / "documents").string();
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--zoom", "0"}, "--zoom takes a whole number"},
        {{"--headless", "--documents", (directory.path() / "a-file" / "sub").string()}, "a-file"},
        {{"--headless", "--documents", documents, "--bundle", (directory.path() / "missing").string()},
         "missing': No such file or directory"},
        {{"--headless", "--documents", documents, "--script", (directory.path() / "none.txt").string()},
         "cannot read the script"},
        {{"--headless", "--documents", documents, "--script", (directory.path() / "bad.txt").string()},
         "bad.txt: line 2: missing Y"},
        {{"--headless", "--documents", documents, "--midlet", "nope"}, "no MIDlet named 'nope'"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(directory, c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
        EXPECT_EQ(run.output.find("demo: startApp"), std::string::npos) << c.message;
    }
    const ProgramRun help = runProgram(directory, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--documents DIR"), std::string::npos);
    const ProgramRun list = runProgram(directory, {"--midlet", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.output.rfind("app\t", 0), 0u) << list.output;
    EXPECT_NE(list.output.find("\ndemo\t"), std::string::npos) << list.output;
}

TEST(Program, TheQuizIsTheDefaultAndItsBuiltInSessionCapturesEachScreenWholeOnTemporaryDocuments) {
    TemporaryDirectory directory("program-application-test");
    const std::filesystem::path data = directory.path() / "data", captures = directory.path() / "captures";
    const char* given = std::getenv("XDG_DATA_HOME");
    const std::string kept = given ? given : "";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    const ProgramRun run = runProgram(directory, {"--headless", "--capture", captures.string()});
    unsetenv("ALSOFT_DRIVERS");
    given ? setenv("XDG_DATA_HOME", kept.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output.find("demo: startApp"), std::string::npos);
    // Without --documents it plays on temporary documents, removed at exit, never the player's.
    std::smatch temporary;
    ASSERT_TRUE(std::regex_search(run.output, temporary, std::regex("documents (.+)\n.* removed at exit: \\1\n"))) << run.output;
    EXPECT_FALSE(std::filesystem::exists(temporary[1].str())) << temporary[1];
    EXPECT_FALSE(std::filesystem::exists(data / "lexivo-quiz"));
    // Each capture right after a screen's line shows that screen whole: where a fresh player's
    // screens show what the reference scenes do (all but the question, its answers and badges, the
    // lists' rows and the statistics' values and stars), a screen still wiping in shows thousands
    // of pixels of the one before; the twinkles of the tap that led there change a few hundred. The
    // question answered shows the band left of the answers again once the information is closed.
    const struct {
        const char* capture;
        const char* reference;
        std::initializer_list<std::array<int32_t, 4>> areas;  // in pixels
    } screens[] = {
        {"1-main-menu", "main_menu", {{0, 0, 640, 960}}},
        {"2-question", "question", {{0, 380, 180, 380}, {340, 800, 300, 160}}},
        {"3-information", "information", {{200, 210, 320, 56}, {110, 660, 420, 90}, {0, 796, 640, 164}}},
        {"4-answered", "question", {{0, 380, 180, 380}}},
        {"6-subsections", "subsections", {{0, 796, 640, 164}}},
        {"7-statistics", "stats", {{0, 0, 480, 160}, {490, 0, 150, 960}, {20, 190, 200, 680}}},
    };
    const auto near = [](int32_t p, int32_t q) {
        for (int32_t shift : {0, 8, 16})
            if (std::abs((p >> shift & 0xFF) - (q >> shift & 0xFF)) > 8) return false;
        return true;
    };
    for (const auto& [capture, reference, areas] : screens) {
        const Picture frame = loadPicture(captures / (std::string(capture) + ".png"));
        const Picture expected = loadPicture(std::string(QUIZ_SCREENS_DIR) + "/" + reference + "_high.png");
        ASSERT_EQ(frame.width, expected.width) << capture;
        int32_t off = 0;
        for (const auto& [x, y, w, h] : areas)
            for (int32_t j = y; j < y + h; ++j)
                for (int32_t i = x; i < x + w; ++i) off += !near(frame.rgbAt(i, j), expected.rgbAt(i, j));
        EXPECT_LT(off, 2000) << capture;
    }
}

TEST(Program, WithoutADisplayTheBuiltInSessionNeverTouchesThePlayersDocuments) {
    TemporaryDirectory directory("program-no-display-test");
    const std::filesystem::path data = directory.path() / "data", home = directory.path() / "home";
    std::filesystem::create_directories(data / "lexivo-quiz");
    std::filesystem::create_directories(home);
    // Held as a game in progress holds it.
    const int held = ::open((data / "lexivo-quiz").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const ScopedVariable noDisplay("DISPLAY", nullptr), noWayland("WAYLAND_DISPLAY", nullptr),
        sound("ALSOFT_DRIVERS", "null");
    // The player's documents in use by another program, and no place for them at all.
    for (const char* dataHome : {data.c_str(), static_cast<const char*>(nullptr)}) {
        const ScopedVariable xdg("XDG_DATA_HOME", dataHome), noHome("HOME", dataHome ? home.c_str() : nullptr);
        const ProgramRun run = runProgram(directory, {"--capture", (directory.path() / "captures").string()});
        EXPECT_EQ(run.status, 0) << run.output << run.errors;
        EXPECT_NE(run.output.find("running headless"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("temporary documents directory"), std::string::npos) << run.output;
    }
    ::close(held);
    EXPECT_TRUE(std::filesystem::is_empty(data / "lexivo-quiz"));
    EXPECT_TRUE(std::filesystem::is_empty(home));
}

TEST(Program, TheSmsDemonstrationSendsATextForEachTapAndLogsEachOutcome) {
    TemporaryDirectory directory("program-sms-test");
    // The built-in script checks the composer's line and each outcome itself.
    const ProgramRun run = runProgram(directory, {"--midlet", "sms", "--headless", "--capture", directory.path().string(),
                                                  "--documents", (directory.path() / "documents").string()});
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_EQ(countOccurrences(run.output, "sms composer: to +4917012345: Gr\xC3\xBC\xC3\x9F" "e vom Quiz \xE2\x9C\x93"),
              2u);
    EXPECT_EQ(countOccurrences(run.output, " not sent"), 2u);
}

TEST(Program, TheLocationDemonstrationLogsTheScriptsFixesButNotABadOne) {
    TemporaryDirectory directory("program-location-test");
    // The built-in script waits for the invalid location, each good fix and the proximity event.
    const ProgramRun run = runProgram(directory, {"--midlet", "location", "--headless", "--capture",
                                                  directory.path().string(), "--documents",
                                                  (directory.path() / "documents").string()});
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    const size_t invalid = run.output.find("location: invalid \"We haven't received");
    const size_t first = run.output.find("location: fix 48.85660");
    EXPECT_LT(invalid, first) << run.output;
    EXPECT_EQ(run.output.find("bad fix"), std::string::npos) << run.output;
    EXPECT_EQ(countOccurrences(run.output, "location: proximity "), 1u);
}

}  // namespace
