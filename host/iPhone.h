// What the application canvas asks of the device: its family, and four hook points at which a
// build runs platform code of its own on the UI thread.
#pragma once

#include <atomic>
#include <cstdint>

class iPhone {
public:
    static constexpr int32_t TEXT_OVERLAY_START = 0;
    static constexpr int32_t TEXT_OVERLAY_STOP = 1;
    static constexpr int32_t VIEW_SETUP = 2;
    static constexpr int32_t VIEW_REPLACE = 3;

    // The hook code of the last hook run; written on the UI thread just before the hook body.
    static inline std::atomic<int32_t> callback_value{0};

    using NativeHookBody = void (*)(int32_t callbackValue);

    // The canvas's new DEVICE_FAMILY: 0 iPod, 1 iPhone, 2 iPad; the simulator and unknown
    // devices keep the value it has.
    static int32_t getDeviceDetails(int32_t currentDeviceFamily);

    // Each runs the hook on the UI thread and returns once it has run.
    static void textOverlayStart() { objcThreadHook(TEXT_OVERLAY_START); }
    static void textOverlayStop() { objcThreadHook(TEXT_OVERLAY_STOP); }
    static void viewSetup() { objcThreadHook(VIEW_SETUP); }
    static void viewReplace() { objcThreadHook(VIEW_REPLACE); }

    // The hook body: nothing unless a build installs its own.
    static void objcNativeHook();
    static void setNativeHookBody(NativeHookBody body);

private:
    // The code travels with the request and is stored on the UI thread, so hooks asked for by
    // two threads at once each run with their own code.
    static void objcThreadHook(int32_t hookCode);
    static inline std::atomic<NativeHookBody> s_body{nullptr};
};
