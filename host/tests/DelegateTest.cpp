// The delegate launches in order, gates touches and accelerometer samples on being active,
// releases a held touch when it stops being active, and on terminate releases nothing before the
// runtime has been destroyed and has torn down.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "host/DeviceProfile.h"
#include "host/LocationManager.h"
#include "host/PngWriter.h"
#include "host/xyzApp.h"
#include "host/tests/UiLoop.h"
#include "platform/PlatformState.h"
#include "runtime/HostBridge.h"

namespace {

using Calls = std::vector<std::string>;

struct RecordingViews : Views {
    Calls* calls;
    bool launchImageShown = false;
    int32_t launchImageWidth = 0;
    explicit RecordingViews(Calls* log) : calls(log) {}
    void createWindow(const DeviceScreen&, const ScreenSetup&, const LaunchImage& image) override {
        calls->push_back("createWindow");
        launchImageShown = !image.pixels.empty();
        launchImageWidth = image.width;
    }
    void release() override { calls->push_back("views released"); }
};

class DelegateTest : public testing::Test {
protected:
    void SetUp() override {
        DeviceProfile::setDeviceProfile("iPhone", "iPhone3,1");
        LocationManager::reset();
        m_bundle = std::filesystem::temp_directory_path() / ("delegate-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_bundle);
    }
    void TearDown() override {
        platform::sendInputsPlease = false;
        platform::shiftScale = 0;
        LocationManager::reset();
        DeviceProfile::setDeviceProfile(DeviceProfile::DEFAULT_MODEL_NAME, DeviceProfile::DEFAULT_MACHINE);
        std::filesystem::remove_all(m_bundle);
    }

    xyzApp::Runtime recordingRuntime() {
        xyzApp::Runtime runtime;
        const auto record = [this](std::string name) { return [this, name] { calls.push_back(name); }; };
        runtime.hookStartUp = record("hookStartUp");
        runtime.launcher = [this] {
            calls.push_back("xyzLauncher with inputs " + std::to_string(platform::sendInputsPlease.load()) + " and " +
                            std::to_string(platform::outputWidth.load()) + "x" +
                            std::to_string(platform::outputHeight.load()));
        };
        runtime.pauseApp = record("xyzPauseApp");
        runtime.resumeApp = record("xyzResumeApp");
        runtime.destroy = record("xyzDestroy");
        runtime.waitForTearDown = [this](std::chrono::milliseconds) {
            calls.push_back("wait for tear-down");
            return tearDownFinishes;
        };
        runtime.releaseGLView = record("GL view released");
        runtime.setTilt = [this](float x, float y, float z) {
            calls.push_back("setTilt " + std::to_string(int(x * 10)) + " " + std::to_string(int(y * 10)) + " " +
                            std::to_string(int(z * 10)));
        };
        runtime.locationFeedback = [this](const LocationFix& fix) { calls.push_back("location " + fix.description); };
        const auto point = [this](std::string name) {
            return [this, name](int32_t x, int32_t y) {
                calls.push_back(name + " " + std::to_string(x) + " " + std::to_string(y));
            };
        };
        runtime.touches = {point("down"), point("dragged"), point("up")};
        return runtime;
    }

    void writeLaunchImage(const std::string& name, int32_t width, int32_t height) {
        platform::Frame frame;
        frame.width = width;
        frame.height = height;
        frame.pixels.assign(static_cast<size_t>(width) * height, 0xFF0000FFu);
        writePng((m_bundle / name).string(), frame);
    }

    Calls calls;
    bool tearDownFinishes = true;
    std::filesystem::path m_bundle;
    RecordingViews views{&calls};
};

TEST_F(DelegateTest, LaunchSetsTheScreenShowsTheWindowAndCallsTheLauncherLastWithInputOn) {
    writeLaunchImage("Default@2x.png", 64, 96);
    writeLaunchImage("Default.png", 32, 48);
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    EXPECT_EQ(calls, (Calls{"hookStartUp", "createWindow", "xyzLauncher with inputs 1 and 640x960"}));
    EXPECT_EQ(platform::shiftScale, 1);
    EXPECT_EQ(platform::in2dmode, 0);
    EXPECT_EQ(platform::landscapeModeOrientationCache, 3);
    EXPECT_EQ(xyzApp::holder(), &app);
    // A retina screen shows the double-resolution launch image.
    EXPECT_TRUE(views.launchImageShown);
    EXPECT_EQ(views.launchImageWidth, 64);
}

TEST_F(DelegateTest, ResignDropsTouchesAndSamplesAndBecomeActiveRestoresThem) {
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    EXPECT_FALSE(views.launchImageShown);  // the bundle has none: the view stays empty
    calls.clear();

    app.applicationWillResignActive();
    app.touches().touchesBegan(10, 10);
    app.touches().touchesEnded(10, 10);
    app.accelerometerDidAccelerate(0.5, -1, 0);
    app.applicationDidBecomeActive();
    app.touches().touchesBegan(10, 10);
    app.touches().touchesEnded(11, 12);
    app.accelerometerDidAccelerate(0.5, -1, 0);
    EXPECT_EQ(calls, (Calls{"xyzPauseApp", "xyzResumeApp", "down 20 20", "up 22 24", "setTilt 5 -10 0"}));
}

TEST_F(DelegateTest, APauseInTheMiddleOfAPressReleasesItOutsideTheScreenAndTheLaterReleaseActsOnNothing) {
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    calls.clear();

    app.touches().touchesBegan(160, 340);
    app.applicationWillResignActive();
    app.applicationDidBecomeActive();
    app.touches().touchesMoved(161, 341);
    app.touches().touchesEnded(161, 341);
    EXPECT_EQ(calls, (Calls{"down 320 680", "up -1 -1", "xyzPauseApp", "xyzResumeApp"}));
}

TEST_F(DelegateTest, TerminateReleasesNothingBeforeTheRuntimeIsDestroyedAndTornDownAndASecondCleanupNothingAtAll) {
    writeLaunchImage("Default@2x.png", 4, 4);
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    app.touches().touchesBegan(5, 5);
    calls.clear();

    app.applicationWillTerminate();
    EXPECT_EQ(calls, (Calls{"up -1 -1", "xyzDestroy", "wait for tear-down", "GL view released", "views released"}));
    EXPECT_FALSE(platform::sendInputsPlease);
    EXPECT_TRUE(app.hasLaunchImage());

    app.applicationWillTerminate();
    app.applicationDidBecomeActive();
    app.cleanup(false);
    app.cleanup(true);
    EXPECT_EQ(calls.size(), 5u);
    EXPECT_FALSE(app.hasLaunchImage());
    EXPECT_FALSE(platform::sendInputsPlease);
}

TEST_F(DelegateTest, ARuntimeThatOutlivesTheBoundKeepsItsViews) {
    tearDownFinishes = false;
    {
        xyzApp app(views, m_bundle.string(), recordingRuntime());
        app.applicationDidFinishLaunching();
        calls.clear();
        app.applicationWillTerminate();
        EXPECT_TRUE(app.runtimeOutlivedTerminate());
    }
    EXPECT_EQ(calls, (Calls{"xyzDestroy", "wait for tear-down"}));
}

TEST_F(DelegateTest, LocationFixesReachTheRuntimeOnlyWhileUpdatesAreStarted) {
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    calls.clear();
    LocationFix fix;
    fix.description = "first";
    EXPECT_FALSE(LocationManager::deliver(fix));
    LocationManager::listen();  // what startLocationManager has the UI thread do
    LocationManager::startUpdatingLocation();
    EXPECT_TRUE(LocationManager::deliver(fix));
    app.locationManagerDidUpdateToLocation(nullptr);
    LocationManager::stopUpdatingLocation();
    fix.description = "after stop";
    EXPECT_FALSE(LocationManager::deliver(fix));
    EXPECT_EQ(calls, Calls{"location first"});
}

TEST_F(DelegateTest, TheFirstLocationStartOnAnotherThreadHasTheUiThreadCreateTheManager) {
    xyzApp app(views, m_bundle.string(), recordingRuntime());
    app.applicationDidFinishLaunching();
    calls.clear();
    const std::thread::id ui = std::this_thread::get_id();
    std::thread::id createdOn;
    LocationManager::setListenHandler([&] {
        createdOn = std::this_thread::get_id();
        app.listenToLocationManager();
    });
    hosttest::runWithUiLoop([] {
        startLocationManager();
        startLocationManager();
    });
    EXPECT_EQ(createdOn, ui);
    LocationFix fix;
    fix.description = "fix";
    EXPECT_TRUE(LocationManager::deliver(fix));
    stopLocationManager();
    EXPECT_FALSE(LocationManager::deliver(fix));
    EXPECT_EQ(calls, Calls{"location fix"});
}

}  // namespace
