// The application delegate: launches the runtime on the UI thread and turns the platform's
// lifecycle, accelerometer and location events and the views' touches into the runtime's entry
// points. Every member is called on the UI thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "host/LocationManager.h"
#include "host/TouchInput.h"
#include "host/Views.h"

class xyzApp {
public:
    // What the delegate calls; empty members are the real entry points. Tests replace them.
    struct Runtime {
        std::function<void()> hookStartUp;
        std::function<void()> launcher;
        std::function<void()> pauseApp;
        std::function<void()> resumeApp;
        std::function<void()> destroy;
        // Waits, running the UI thread's work queue, until the runtime has torn down; false when
        // the bound passed first.
        std::function<bool(std::chrono::milliseconds)> waitForTearDown;
        // Lets the GL view's context and framebuffer go.
        std::function<void()> releaseGLView;
        std::function<void(float, float, float)> setTilt;
        std::function<void(const LocationFix&)> locationFeedback;
        TouchInput::EntryPoints touches;
    };

    // Long enough for the launcher's own wait for the application's threads.
    static constexpr std::chrono::milliseconds TEAR_DOWN_BOUND{5000};

    // The bundle directory holds the launch image.
    xyzApp(Views& views, std::string bundleDirectory, Runtime runtime = {});
    ~xyzApp();
    xyzApp(const xyzApp&) = delete;
    xyzApp& operator=(const xyzApp&) = delete;

    // The delegate of the running program; null before launch and after destruction.
    static xyzApp* holder();

    void applicationDidFinishLaunching();
    void applicationWillResignActive();
    void applicationDidBecomeActive();
    // Stops input, destroys the MIDlet and waits, within TEAR_DOWN_BOUND, for the runtime to
    // tear down before anything is released; a runtime that is still running keeps its views.
    void applicationWillTerminate();
    // The first call releases the views and the window; later ones release nothing but, when
    // final, the launch image.
    void cleanup(bool final);

    void accelerometerDidAccelerate(double x, double y, double z);
    void acceleratedInXYZ(float x, float y, float z);
    void listenToLocationManager();
    // Null: nothing.
    void locationManagerDidUpdateToLocation(const LocationFix* fix);

    TouchInput& touches() { return m_touches; }
    const ScreenSetup& screenSetup() const { return m_setup; }
    const DeviceScreen& screen() const { return *m_screen; }
    bool terminated() const { return m_terminated; }
    // Terminate gave up waiting for the runtime, which may still be running.
    bool runtimeOutlivedTerminate() const { return m_viewsKept; }
    bool hasLaunchImage() const { return !m_frameBuffer.pixels.empty(); }

private:
    void loadLaunchImage();

    Views& m_views;
    std::string m_bundleDirectory;
    Runtime m_runtime;
    TouchInput m_touches;
    const DeviceScreen* m_screen = nullptr;
    ScreenSetup m_setup;
    LaunchImage m_frameBuffer;
    bool m_coreCleanupHasBeenRun = false;
    bool m_terminated = false;
    bool m_viewsKept = false;
};

// The real waitForTearDown: joins the runtime's threads on a helper thread while the UI thread
// runs its queue, so that a painting thread waiting on the UI thread can finish.
bool waitForRuntimeTearDown(std::chrono::milliseconds bound);
