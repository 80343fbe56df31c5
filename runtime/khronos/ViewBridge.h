// The platform's GL view as the bindings reach it: the bridge functions by default, stubs in tests.
#pragma once

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

const ViewBridge& viewBridge();
// Null: back to the platform's functions.
void setViewBridgeForTesting(const ViewBridge* bridge);

}  // namespace javax::microedition::khronos
