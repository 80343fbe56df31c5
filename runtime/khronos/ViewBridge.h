// The platform's GL view as the bindings reach it: the bridge functions by default, stubs in tests.
#pragma once

#include <atomic>
#include <cstdint>

namespace javax::microedition::khronos {

struct ViewBridge {
    bool (*start)();
    bool (*waitNative)();
    bool (*waitGL)();
    void (*stop)();
    void (*setDepth)(int32_t depth);
    bool (*ownedHere)();
};

namespace detail {
extern std::atomic<const ViewBridge*> currentBridge;
}  // namespace detail

inline const ViewBridge& viewBridge() { return *detail::currentBridge.load(std::memory_order_acquire); }
// Null: back to the platform's functions.
void setViewBridgeForTesting(const ViewBridge* bridge);

}  // namespace javax::microedition::khronos
