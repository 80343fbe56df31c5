// The whole program against peers that accept connections and answer late or never: as the sound
// server the quiz once never left its loading screen and its exit waited out the server's 28 s or
// the opener's bound; as the server of an HTTP exchange in flight at terminate, the statics were
// once destroyed beneath it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "host/tests/LoopbackListener.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::countOccurrences;

// The audio library's PulseAudio back end, which the program tries first, reads PULSE_SERVER.
void useSoundServer(const hosttest::LoopbackListener& server) {
    setenv("ALSOFT_DRIVERS", "pulse", 1);
    setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + server.port()).c_str(), 1);
    // The PulseAudio client's own threads, which only these sessions start, are not instrumented.
    const std::string tsanOptions = std::getenv("TSAN_OPTIONS") ? std::getenv("TSAN_OPTIONS") : "";
    setenv("TSAN_OPTIONS", (tsanOptions + ":suppressions=" LEXIVO_TSAN_STUCK_PEER_SUPPRESSIONS).c_str(), 1);
}

// One test in its process: the environment it sets goes with it.
TEST(StuckPeers, ASilentSoundServerOrHttpServerNeitherHoldsTheSessionNorRunsItsStaticsDown) {
    const hosttest::LoopbackListener peer;
    useSoundServer(peer);
    setenv("LEXIVO_DEMO_HTTP_URL", ("http://127.0.0.1:" + peer.port() + "/").c_str(), 1);
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

// The first loading waits for the device while the quiz is closed: the server is let go only once
// the program has ended.
TEST(StuckPeers, AQuizClosedWhileItsFirstLoadingWaitsForASilentSoundServerEndsAtOnce) {
    const hosttest::LoopbackListener server;
    useSoundServer(server);
    programtest::TemporaryDirectory directory("closed-while-opening-test");
    const auto run =
        programtest::runDemoScript(LEXIVO_QUIZ_PATH, directory, "app", "run", "wait_frames 1 20000\nterminate\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    // Neither the loading thread waited out the opener's bound nor teardown the loading thread.
    EXPECT_EQ(countOccurrences(run.errors, "did not open within"), 0u) << run.errors;
    EXPECT_EQ(countOccurrences(run.errors, "application thread(s) still running"), 0u) << run.errors;
    // The opener was still waiting on the server.
    EXPECT_EQ(countOccurrences(run.errors, "the process ends without tearing down its statics"), 1u) << run.errors;
}

}  // namespace
