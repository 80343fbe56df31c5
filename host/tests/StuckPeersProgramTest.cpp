// The whole program against a peer that accepts connections and never answers, as the sound server
// (once the quiz never left its loading screen, and its exit waited out the server's 28 s) and as
// the HTTP server of an exchange in flight at terminate (once the statics were destroyed beneath
// it). Either way the session runs its script, and the process ends at once, leaving the stuck
// thread its statics.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/tests/LoopbackListener.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::countOccurrences;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;

TEST(StuckPeers, ASilentSoundServerOrHttpServerNeitherHoldsTheSessionNorRunsItsStaticsDown) {
    const hosttest::LoopbackListener peer;
    // The audio library's PulseAudio back end reads PULSE_SERVER.
    setenv("ALSOFT_DRIVERS", "pulse", 1);
    setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + peer.port()).c_str(), 1);
    setenv("LEXIVO_DEMO_HTTP_URL", ("http://127.0.0.1:" + peer.port() + "/").c_str(), 1);
    struct Case {
        const char* midlet;
        const char* script;
        const char* stuck;  // the line naming what still waits on the peer
    };
    for (const Case& c : {Case{"app", "expect_log quiz: screen 1: main menu\nterminate\n",
                               "the audio output device did not open within"},
                          Case{"http", "wait_frames 1 10000\nterminate\n", "teardown: 1 application thread(s) still running"}}) {
        TemporaryDirectory directory("stuck-peers-test");
        std::ofstream(directory.path() / "script.txt") << c.script;
        RunningProgram program(LEXIVO_QUIZ_PATH,
                               {LEXIVO_QUIZ_PATH, "--headless", "--midlet", c.midlet, "--script",
                                (directory.path() / "script.txt").string(), "--documents",
                                (directory.path() / "documents").string()},
                               directory.path() / "stderr.txt");
        const int status = program.wait();
        std::ifstream in(directory.path() / "stderr.txt");
        const std::string errors{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(status, 0) << c.midlet << program.output() << errors;
        EXPECT_EQ(countOccurrences(errors, c.stuck), 1u) << c.midlet << errors;
        EXPECT_EQ(countOccurrences(errors, "the process ends without tearing down its statics"), 1u) << c.midlet << errors;
        EXPECT_EQ(program.output().find("http: done"), std::string::npos) << program.output();
    }
    unsetenv("ALSOFT_DRIVERS");
    unsetenv("PULSE_SERVER");
    unsetenv("LEXIVO_DEMO_HTTP_URL");
}

}  // namespace
