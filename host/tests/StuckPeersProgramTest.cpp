// The whole program against a peer that accepts connections and never answers: as the sound server
// the quiz once never left its loading screen and its exit waited out the server's 28 s; as the
// server of an HTTP exchange in flight at terminate, the statics were once destroyed beneath it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "host/tests/LoopbackListener.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::countOccurrences;

// One test in its process: the environment it sets goes with it.
TEST(StuckPeers, ASilentSoundServerOrHttpServerNeitherHoldsTheSessionNorRunsItsStaticsDown) {
    const hosttest::LoopbackListener peer;
    // The audio library's PulseAudio back end reads PULSE_SERVER.
    setenv("ALSOFT_DRIVERS", "pulse", 1);
    setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + peer.port()).c_str(), 1);
    setenv("LEXIVO_DEMO_HTTP_URL", ("http://127.0.0.1:" + peer.port() + "/").c_str(), 1);
    // The PulseAudio client's own threads, which only this session starts, are not instrumented.
    const std::string tsanOptions = std::getenv("TSAN_OPTIONS") ? std::getenv("TSAN_OPTIONS") : "";
    setenv("TSAN_OPTIONS", (tsanOptions + ":suppressions=" LEXIVO_TSAN_STUCK_PEER_SUPPRESSIONS).c_str(), 1);
    // Each MIDlet's script, and the line naming what still waits on the peer.
    for (const auto& [midlet, script, stuck] :
         {std::tuple{"app", "expect_log quiz: screen 1: main menu\nterminate\n",
                     "the audio output device did not open within"},
          std::tuple{"http", "wait_frames 1 10000\nterminate\n",
                     "teardown: 1 application thread(s) still running"}}) {
        programtest::TemporaryDirectory directory("stuck-peers-test");
        const auto run = programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, midlet, "run", script);
        EXPECT_EQ(run.status, 0) << midlet << run.output << run.errors;
        EXPECT_EQ(countOccurrences(run.errors, stuck), 1u) << midlet << run.errors;
        // At once, leaving the stuck thread the statics it may still use.
        EXPECT_EQ(countOccurrences(run.errors, "the process ends without tearing down its statics"), 1u) << midlet;
    }
}

}  // namespace
