// Counts the uses of the platform location service and starts and stops it as the count leaves
// and reaches 0. The host's start may wait for the UI thread, so no lock is held across it;
// one thread at a time applies the count, and one that finds another applying leaves the new
// count to it.
#include <algorithm>
#include <mutex>

#include "runtime/HostBridge.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/location/LocationState.h"

namespace javax::microedition::location {

namespace {

struct Usage {
    std::mutex lock;
    int32_t count = 0;
    bool running = false;
    bool applying = false;
};

Usage& usage() {
    static Usage instance;
    return instance;
}

void changeBy(int32_t delta, bool toZero = false) {
    Usage& state = usage();
    {
        std::lock_guard guard(state.lock);
        // A use let go after the teardown reset the count must not leave it below 0.
        state.count = toZero ? 0 : std::max(0, state.count + delta);
        if (state.applying) return;
        state.applying = true;
    }
    for (;;) {
        bool start = false;
        {
            std::lock_guard guard(state.lock);
            start = state.count > 0;
            if (start == state.running) {
                state.applying = false;
                return;
            }
            state.running = start;
        }
        // A failing bridge is reported; the count goes on being applied.
        java::lang::runGuarded([start] { start ? startLocationManager() : stopLocationManager(); });
    }
}

}  // namespace

void LocationProvider::increaseLocationMechanismUsageCount() { changeBy(1); }
void LocationProvider::decreaseLocationMechanismUsageCount() { changeBy(-1); }

int32_t LocationProvider::locationMechanismUsageCount() {
    std::lock_guard guard(usage().lock);
    return usage().count;
}

void detail::resetLocationUsage() { changeBy(0, true); }

}  // namespace javax::microedition::location
