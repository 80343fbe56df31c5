// The whole program against a peer that accepts connections and never answers: as the sound server
// the quiz once never left its loading screen and its exit waited out the server's 28 s; as the
// server of an HTTP exchange in flight at terminate, the statics were once destroyed beneath it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/tests/LoopbackListener.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::countOccurrences;

TEST(StuckPeers, ASilentSoundServerOrHttpServerNeitherHoldsTheSessionNorRunsItsStaticsDown) {
    const hosttest::LoopbackListener peer;
    // The audio library's PulseAudio back end reads PULSE_SERVER.
    setenv("ALSOFT_DRIVERS", "pulse", 1);
    setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + peer.port()).c_str(), 1);
    setenv("LEXIVO_DEMO_HTTP_URL", ("http://127.0.0.1:" + peer.port() + "/").c_str(), 1);
    // The PulseAudio client's own threads, which only this session starts, are not instrumented.
    const char* given = std::getenv("TSAN_OPTIONS");
    const std::string tsanOptions = given ? given : "";
    setenv("TSAN_OPTIONS",
           (tsanOptions + ":suppressions=" + LEXIVO_TSAN_STUCK_PEER_SUPPRESSIONS).c_str(), 1);
    struct Case {
        const char* midlet;
        const char* script;
        const char* stuck;  // the line naming what still waits on the peer
    };
    for (const Case& c : {Case{"app", "expect_log quiz: screen 1: main menu\nterminate\n",
                               "the audio output device did not open within"},
                          Case{"http", "wait_frames 1 10000\nterminate\n", "teardown: 1 application thread(s) still running"}}) {
        programtest::TemporaryDirectory directory("stuck-peers-test");
        const programtest::DemoRun run = programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, c.midlet, "run", c.script);
        std::ifstream in(directory.path() / "run-stderr.txt");
        const std::string errors{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(run.status, 0) << c.midlet << run.output << errors;
        EXPECT_EQ(countOccurrences(errors, c.stuck), 1u) << c.midlet << errors;
        // At once, leaving the stuck thread the statics it may still use.
        EXPECT_EQ(countOccurrences(errors, "the process ends without tearing down its statics"), 1u) << c.midlet << errors;
    }
    unsetenv("ALSOFT_DRIVERS");
    unsetenv("PULSE_SERVER");
    unsetenv("LEXIVO_DEMO_HTTP_URL");
    setenv("TSAN_OPTIONS", tsanOptions.c_str(), 1);
}

}  // namespace
