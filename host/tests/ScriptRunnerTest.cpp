// The script runs on the UI thread: its waits keep the work queue running, it counts and captures
// presented frames, and a command that cannot be carried out fails with its line number.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "host/DeviceProfile.h"
#include "host/LogCapture.h"
#include "host/ScriptRunner.h"
#include "platform/FrontBuffer.h"
#include "platform/PlatformState.h"
#include "platform/UiThread.h"
#include "runtime/lcdui/ImageDecoders.h"
#include "runtime/media/AudioSession.h"

namespace {

class ScriptRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        UiThread::markCurrentThread();
        DeviceProfile::setDeviceProfile("iPhone", "iPhone3,1");
        m_directory = std::filesystem::temp_directory_path() / ("runner-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_directory);
        xyzApp::Runtime runtime;
        runtime.hookStartUp = [] {};
        runtime.launcher = [] {};
        runtime.pauseApp = [] {};
        runtime.resumeApp = [] {};
        runtime.destroy = [] {};
        runtime.waitForTearDown = [](std::chrono::milliseconds) { return true; };
        runtime.releaseGLView = [] {};
        runtime.setTilt = [this](float, float, float) { ++samples; };
        runtime.touches = {[](int32_t, int32_t) {}, [](int32_t, int32_t) {}, [](int32_t, int32_t) {}};
        m_app = std::make_unique<xyzApp>(m_views, m_directory.string(), runtime);
        m_app->applicationDidFinishLaunching();
    }
    void TearDown() override {
        m_app.reset();
        platform::sendInputsPlease = false;
        std::filesystem::remove_all(m_directory);
    }

    void run(const std::string& text) {
        HeadlessPump pump;
        ScriptRunner(*m_app, pump, m_directory.string()).run(Script::parse(text, 320, 480));
    }

    int samples = 0;
    NoViews m_views;
    std::filesystem::path m_directory;
    std::unique_ptr<xyzApp> m_app;
};

TEST_F(ScriptRunnerTest, AudioInterruptionsBeginAndEndInTheAudioSession) {
    using javax::microedition::media::AudioSession;
    run("audio_interruption begin\n");
    EXPECT_TRUE(AudioSession::inAnInterrupt());
    run("audio_interruption end\n");
    EXPECT_FALSE(AudioSession::inAnInterrupt());
}

TEST_F(ScriptRunnerTest, WaitsKeepRunningTheUiThreadsWorkQueue) {
    ASSERT_TRUE(LogCapture::start());
    // The worker's text is written only after its work ran on the UI thread, so expect_log can
    // see it only if the wait ran the queue.
    std::thread worker([] {
        UiThread::runAndWait([] { std::printf("ran on the UI thread\n"); });
        std::printf("the worker went on\n");
    });
    EXPECT_NO_THROW(run("expect_log the worker went on\n"));
    worker.join();
    LogCapture::stop();
}

TEST_F(ScriptRunnerTest, ACaptureBeforeAnyFrameFailsWithItsLine) {
    ASSERT_EQ(platform::framesPresented(), 0u) << "run this test in a process of its own";
    try {
        run("wait 0\ncapture early.png\n");
        ADD_FAILURE() << "captured before any frame";
    } catch (const ScriptError& error) {
        EXPECT_EQ(error.line(), 2);
        EXPECT_NE(std::string(error.what()).find("no frame has been presented"), std::string::npos);
    }
}

TEST_F(ScriptRunnerTest, CapturesTheLatestPresentedFrameAsAPng) {
    std::thread painter([] {
        // Presents once the UI thread runs its queue, which it first does inside wait_frames.
        UiThread::runAndWait([] {});
        const std::vector<uint32_t> pixels = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu, 0xFF000000u,
                                              0xFF808080u};
        platform::presentFrame(pixels.data(), 3, 2);
    });
    EXPECT_NO_THROW(run("wait_frames 1 60000\ncapture shot.png\n"));
    painter.join();

    std::ifstream file(m_directory / "shot.png", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    int32_t width = 0, height = 0;
    uint32_t* decoded = javax::microedition::lcdui::imagedecoders::decodePNG(bytes, width, height);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(std::vector<uint32_t>(decoded, decoded + 6),
              (std::vector<uint32_t>{0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu, 0xFF000000u, 0xFF808080u}));
    std::free(decoded);
}

TEST_F(ScriptRunnerTest, FramesThatNeverComeAndUnwritableCapturesFailWithTheirLine) {
    struct Case {
        const char* script;
        int32_t line;
        const char* message;
    };
    platform::presentFrame(std::vector<uint32_t>(4, 0xFF000000u).data(), 2, 2);
    const Case cases[] = {
        {"wait 0\nwait_frames 1 0\n", 2, "were not presented within 0 ms"},
        {"capture missing-directory/shot.png\n", 1, "capture: cannot write"},
    };
    for (const Case& c : cases) {
        try {
            run(c.script);
            ADD_FAILURE() << c.script;
        } catch (const ScriptError& error) {
            EXPECT_EQ(error.line(), c.line);
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST_F(ScriptRunnerTest, AccelerometerCommandsSendOneSampleOrOneEveryTwentyMillisecondsAndNoneWhilePaused) {
    run("accel 0 -1 0\n");
    EXPECT_EQ(samples, 1);
    run("accel 0 -1 0 for 100\n");
    EXPECT_EQ(samples, 6);
    run("pause\naccel 0 -1 0 for 40\nresume\naccel 1 0 0\n");
    EXPECT_EQ(samples, 7);
}

// Once, a window closed during a long wait left the program running until the wait ended.
TEST_F(ScriptRunnerTest, ATerminationFromOutsideEndsTheWaitAndSkipsTheRest) {
    // The window is closed from outside while the script waits an hour; the capture after the
    // wait (which would fail: no frame was ever presented) is never reached.
    std::thread closer([this] { UiThread::post([this] { m_app->applicationWillTerminate(); }); });
    EXPECT_NO_THROW(run("wait 3600000\ncapture never.png\n"));
    closer.join();
}

}  // namespace
