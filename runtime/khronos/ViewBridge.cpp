#include "runtime/khronos/ViewBridge.h"

#include <atomic>

#include "runtime/lcdui/PlatformBridge.h"

namespace javax::microedition::khronos {

namespace {

const ViewBridge platformBridge{&EGLstart, &EGLWaitNative, &EGLWaitGL, &EGLstop, &setGLBufferDepth,
                                &EGLcontextOwnedHere};
std::atomic<const ViewBridge*> current{&platformBridge};

}  // namespace

const ViewBridge& viewBridge() { return *current.load(std::memory_order_acquire); }

void setViewBridgeForTesting(const ViewBridge* bridge) {
    current.store(bridge ? bridge : &platformBridge, std::memory_order_release);
}

}  // namespace javax::microedition::khronos
