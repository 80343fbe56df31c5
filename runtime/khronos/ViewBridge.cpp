#include "runtime/khronos/ViewBridge.h"

#include <atomic>

#include "runtime/lcdui/PlatformBridge.h"

namespace javax::microedition::khronos {

namespace {

const ViewBridge platformBridge{&EGLstart, &EGLWaitNative, &EGLWaitGL, &EGLstop, &setGLBufferDepth,
                                &EGLcontextOwnedHere};

}  // namespace

std::atomic<const ViewBridge*> detail::currentBridge{&platformBridge};

void setViewBridgeForTesting(const ViewBridge* bridge) {
    detail::currentBridge.store(bridge ? bridge : &platformBridge, std::memory_order_release);
}

}  // namespace javax::microedition::khronos
