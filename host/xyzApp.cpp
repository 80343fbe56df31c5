#include "host/xyzApp.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "host/Launcher.h"
#include "platform/GLView.h"
#include "platform/PlatformState.h"
#include "platform/UiThread.h"
#include "runtime/HostBridge.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lang/System.h"
#include "runtime/lcdui/ImageDecoders.h"

namespace {

// The build's orientation switches: portrait, no rotation handling.
constexpr int32_t LANDSCAPE_MODE_ORIENTATION = 3;

std::atomic<xyzApp*> delegateHolder{nullptr};

template <class Function>
void orDefault(Function& slot, Function fallback) {
    if (!slot) slot = std::move(fallback);
}

}  // namespace

xyzApp::xyzApp(Views& views, std::string bundleDirectory, Runtime runtime)
    : m_views(views), m_bundleDirectory(std::move(bundleDirectory)), m_runtime(std::move(runtime)),
      m_touches(m_runtime.touches) {
    orDefault(m_runtime.hookStartUp, std::function<void()>(::hookStartUp));
    orDefault(m_runtime.launcher, std::function<void()>(xyzLauncher));
    orDefault(m_runtime.pauseApp, std::function<void()>(xyzPauseApp));
    orDefault(m_runtime.resumeApp, std::function<void()>(xyzResumeApp));
    orDefault(m_runtime.destroy, std::function<void()>(xyzDestroy));
    orDefault(m_runtime.waitForTearDown, std::function<bool(std::chrono::milliseconds)>(waitForRuntimeTearDown));
    orDefault(m_runtime.releaseGLView, std::function<void()>(platform::glViewShutdown));
    orDefault(m_runtime.setTilt, std::function<void(float, float, float)>(::setTilt));
    orDefault(m_runtime.locationFeedback, std::function<void(const LocationFix&)>([](const LocationFix& fix) {
                  locationFeedback(fix.latitude, fix.longitude, fix.horizontalAccuracy, fix.altitude,
                                   fix.verticalAccuracy, 0, fix.description.c_str());
              }));
}

xyzApp::~xyzApp() {
    cleanup(true);
    xyzApp* self = this;
    if (delegateHolder.compare_exchange_strong(self, nullptr)) LocationManager::setListenHandler(nullptr);
}

xyzApp* xyzApp::holder() { return delegateHolder.load(std::memory_order_acquire); }

void xyzApp::applicationDidFinishLaunching() {
    m_runtime.hookStartUp();
    platform::landscapeModeOrientationCache = LANDSCAPE_MODE_ORIENTATION;

    m_screen = &ScreenProfile::current();
    m_setup = ScreenProfile::setupFor(*m_screen);
    platform::shiftScale = m_setup.shiftScale;
    platform::outputWidth = m_setup.outputWidth;
    platform::outputHeight = m_setup.outputHeight;
    java::lang::System::setDeviceProperties(getLocale(), ScreenProfile::platformName(*m_screen), m_setup.retina);

    platform::in2dmode = 1;
    loadLaunchImage();
    m_views.createWindow(*m_screen, m_setup, m_frameBuffer);
    // The GL view lies on top of the image view from here on; frames reach it by presenting.
    platform::glViewState = 0;
    platform::in2dmode = 0;

    platform::sendInputsPlease = true;
    delegateHolder.store(this, std::memory_order_release);
    LocationManager::setListenHandler([this] { listenToLocationManager(); });
    m_runtime.launcher();
}

void xyzApp::loadLaunchImage() {
    using javax::microedition::lcdui::imagedecoders::decodePNG;
    using javax::microedition::lcdui::imagedecoders::MAX_PICTURE_BYTES;
    const std::string name = m_setup.launchImageName;
    // The named-image cache takes a name without an extension as a PNG, and on a retina screen
    // prefers the double-resolution file.
    std::vector<std::string> candidates;
    if (name.find('.') == std::string::npos) {
        if (m_setup.retina) candidates.push_back(name + "@2x.png");
        candidates.push_back(name + ".png");
    } else {
        candidates.push_back(name);
    }
    for (const std::string& candidate : candidates) {
        const java::io::FileRead file =
            java::io::FileSystem::readRegularFile(m_bundleDirectory + "/" + candidate, MAX_PICTURE_BYTES);
        // A file that shrank while it was read is no picture.
        if (file.bytes.empty() || static_cast<int64_t>(file.bytes.size()) != file.size) continue;
        int32_t width = 0, height = 0;
        std::unique_ptr<uint32_t, decltype(&std::free)> pixels(decodePNG(file.bytes, width, height), &std::free);
        if (!pixels) continue;
        m_frameBuffer.width = width;
        m_frameBuffer.height = height;
        m_frameBuffer.pixels.assign(pixels.get(), pixels.get() + static_cast<size_t>(width) * height);
        return;
    }
}

void xyzApp::applicationWillResignActive() {
    if (m_terminated) return;
    m_touches.touchesCancelled();
    platform::sendInputsPlease = false;
    m_runtime.pauseApp();
}

void xyzApp::applicationDidBecomeActive() {
    if (m_terminated) return;
    platform::sendInputsPlease = true;
    m_runtime.resumeApp();
}

void xyzApp::applicationWillTerminate() {
    if (m_terminated) return;
    m_terminated = true;
    m_touches.touchesCancelled();
    platform::sendInputsPlease = false;
    m_runtime.destroy();
    if (!m_runtime.waitForTearDown(TEAR_DOWN_BOUND)) {
        std::fprintf(stderr, "terminate: the runtime did not finish tearing down within %lld ms; its views are kept\n",
                     static_cast<long long>(TEAR_DOWN_BOUND.count()));
        m_viewsKept = true;
    }
    cleanup(false);
}

void xyzApp::cleanup(bool final) {
    if (!m_coreCleanupHasBeenRun) {
        m_coreCleanupHasBeenRun = true;
        if (!m_viewsKept) {
            m_runtime.releaseGLView();
            m_views.release();
        }
    }
    if (final) m_frameBuffer = LaunchImage{};
}

void xyzApp::accelerometerDidAccelerate(double x, double y, double z) {
    acceleratedInXYZ(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void xyzApp::acceleratedInXYZ(float x, float y, float z) {
    if (!platform::sendInputsPlease.load(std::memory_order_relaxed)) return;
    m_runtime.setTilt(x, y, z);
}

void xyzApp::listenToLocationManager() {
    LocationManager::create([this](const LocationFix& fix) { locationManagerDidUpdateToLocation(&fix); });
}

void xyzApp::locationManagerDidUpdateToLocation(const LocationFix* fix) {
    if (!fix) return;
    m_runtime.locationFeedback(*fix);
}

bool waitForRuntimeTearDown(std::chrono::milliseconds bound) {
    struct Joined {
        std::atomic<bool> done{false};
    };
    auto joined = std::make_shared<Joined>();
    std::thread([joined] {
        launcher::joinRuntimeThreads();
        joined->done.store(true, std::memory_order_release);
        UiThread::post([] {});
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!joined->done.load(std::memory_order_acquire)) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        UiThread::waitForWork(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) +
                              std::chrono::milliseconds(1));
        UiThread::runPending();
    }
    UiThread::runPending();
    return true;
}
