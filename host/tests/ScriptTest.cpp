// The headless script: every command of the grammar parses, and a bad line is an error that
// names its line number before anything runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/Script.h"

namespace {

using Kind = ScriptCommand::Kind;

TEST(Script, ParsesEveryCommandSkippingCommentsAndBlankLinesAndStopsAtEnd) {
    const std::string text =
        "# a comment\n"
        "\n"
        "wait 250\n"
        "wait_frames 3 2000\n"
        "down 10 20.5\n"
        "move 11 21\n"
        "up 12 22\n"
        "tap 160 340\n"
        "tap 160 340 40\n"
        "pause\n"
        "resume\n"
        "accel 0.5 -1 0\n"
        "accel 0 0 -1 for 100\n"
        "location 51.5 -0.12 10 35 5 \"London \\\"centre\\\"\"\n"
        "sms_result sent\n"
        "capture shot.png\n"
        "expect_log demo: activated 1\n"
        "terminate\n"
        "audio_interruption begin\n"
        "audio_interruption end\n"
        "end\n"
        "this line is not read\n";
    const std::vector<ScriptCommand> commands = Script::parse(text, 320, 480);
    ASSERT_EQ(commands.size(), 19u);
    const Kind kinds[] = {Kind::Wait,  Kind::WaitFrames, Kind::Down,     Kind::Move,      Kind::Up,
                          Kind::Tap,   Kind::Tap,        Kind::Pause,    Kind::Resume,    Kind::Accel,
                          Kind::Accel, Kind::Location,   Kind::SmsResult, Kind::Capture, Kind::ExpectLog,
                          Kind::Terminate, Kind::AudioInterruption, Kind::AudioInterruption, Kind::End};
    for (size_t i = 0; i < commands.size(); ++i) EXPECT_EQ(commands[i].kind, kinds[i]) << "command " << i;
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_DOUBLE_EQ(commands[2].y, 20.5);
    EXPECT_EQ(commands[5].millis, Script::DEFAULT_TAP_HOLD_MS);
    EXPECT_EQ(commands[6].millis, 40);
    EXPECT_EQ(commands[10].millis, 100);
    EXPECT_EQ(commands[11].fix.description, "London \"centre\"");
    EXPECT_EQ(commands[14].text, "demo: activated 1");
    EXPECT_EQ(commands[16].count, 1);
    EXPECT_EQ(commands[17].count, 0);
}

TEST(Script, ABadLineFailsWithItsLineNumber) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"jump 1 2", "unknown command 'jump'"},
        {"wait", "missing MS"},
        {"wait soon", "MS is no whole number: 'soon'"},
        {"wait -5", "MS -5 is outside"},
        {"wait 10 20", "unexpected '20'"},
        {"wait_frames 0 100", "N 0 is outside"},
        {"down 320 10", "the point lies outside the screen"},
        {"down 10 480", "the point lies outside the screen"},
        {"move -1 10", "X -1 is outside"},
        {"up 10", "missing Y"},
        {"tap 1 1 forever", "HOLD_MS is no whole number"},
        {"tap 1 nan", "Y is no number"},
        {"accel 0 0", "missing Z"},
        {"accel 0 0 1 during 5", "expected 'for MS'"},
        {"location 91 0 1 1 1 \"x\"", "LAT 91 is outside"},
        {"location 1 2 3 4 5 unquoted", "missing quoted TEXT"},
        {"location 1 2 3 4 5 \"open", "unterminated quoted TEXT"},
        {"sms_result maybe", "sms_result takes sent, cancelled, failed or unavailable"},
        {"capture shot.jpg", "ending in .png"},
        {"expect_log", "missing TEXT"},
        {"pause now", "unexpected 'now'"},
        {"audio_interruption", "missing begin|end"},
        {"audio_interruption start", "audio_interruption takes begin or end"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("wait 1\n# comment\n\n") + c.line + "\nwait 1\n";
        try {
            Script::parse(text, 320, 480);
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.line(), 4) << c.line;
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("line 4: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.line << " gave: " << message;
        }
    }
}

TEST(Script, HostileTextGivesShortPrintableErrors) {
    const std::string hugeWord(1 << 20, 'w');
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"wait " + hugeWord + "\n", "MS is no whole number: 'wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww...'"},
        {std::string("wait 1\nbad\0word\x1b[2J\n", 20), "line 2: unknown command 'bad\\x00word\\x1b[2J'"},
        {"capture a\x01.png\n", "holds control bytes"},
    };
    for (const Case& c : cases) {
        try {
            Script::parse(c.text, 320, 480);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const ScriptError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.message), std::string::npos) << message.substr(0, 200);
            EXPECT_LT(message.size(), 200u);
        }
    }
    // A byte order mark belongs to no command.
    EXPECT_EQ(Script::parse("\xEF\xBB\xBFwait 5\n", 320, 480).at(0).millis, 5);
}

TEST(Script, OnlyRegularFilesOfBoundedSizeAreLoaded) {
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / "script-load-test";
    std::filesystem::create_directories(directory);
    std::ofstream(directory / "big.txt") << std::string(Script::MAX_FILE_BYTES + 1, '#');
    std::ofstream(directory / "fine.txt") << "wait 1\n";
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {directory.string(), "no regular file"},
        {"/dev/zero", "no regular file"},
        {(directory / "big.txt").string(), "larger than"},
        {(directory / "missing.txt").string(), "No such file"},
    };
    for (const Case& c : cases) {
        try {
            Script::load(c.path);
            ADD_FAILURE() << "loaded " << c.path;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(Script::load((directory / "fine.txt").string()), "wait 1\n");
    std::filesystem::remove_all(directory);
}

TEST(Script, TouchesMayReachTheWholeScreenOfTheDevice) {
    EXPECT_NO_THROW(Script::parse("tap 319.99 479.5\n", 320, 480));
    EXPECT_NO_THROW(Script::parse("tap 700 1000\n", 768, 1024));
    EXPECT_THROW(Script::parse("tap 700 1000\n", 320, 480), ScriptError);
}

}  // namespace
