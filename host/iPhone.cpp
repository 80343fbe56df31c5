#include "host/iPhone.h"

#include "host/DeviceDetection.h"
#include "platform/UiThread.h"
#include "runtime/lang/UncaughtHandler.h"

int32_t iPhone::getDeviceDetails(int32_t currentDeviceFamily) {
    switch (DeviceDetection::currentModelFamily()) {
        case DeviceDetection::FAMILY_IPOD: return 0;
        case DeviceDetection::FAMILY_IPHONE: return 1;
        case DeviceDetection::FAMILY_IPAD: return 2;
        default: return currentDeviceFamily;
    }
}

void iPhone::objcNativeHook() {
    const NativeHookBody body = s_body.load(std::memory_order_acquire);
    if (body) body(callback_value.load(std::memory_order_relaxed));
}

void iPhone::setNativeHookBody(NativeHookBody body) { s_body.store(body, std::memory_order_release); }

void iPhone::objcThreadHook(int32_t hookCode) {
    UiThread::runAndWait([hookCode] {
        callback_value.store(hookCode, std::memory_order_relaxed);
        // The body is the build's code: its failure is reported, and the asking thread goes on.
        java::lang::runGuarded(objcNativeHook);
    });
}
