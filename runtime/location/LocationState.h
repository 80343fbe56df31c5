// The location library's shared state: written by the UI thread's feed, the tick thread's pass
// and application threads, always under its one lock, which is never held while anybody else's
// code (listeners, the host's bridge) runs.
#pragma once

#include <condition_variable>
#include <mutex>

#include "runtime/lang/JArray.h"
#include "runtime/location/LocationProvider.h"

namespace javax::microedition::location::detail {

struct LocationState {
    std::mutex lock;
    // Notified whenever lastKnownLocation changes.
    std::condition_variable published;
    JavaPtr<Location> lastKnownLocation;
    JavaPtr<Location> lastUnreportedLocation;
    // Three parallel arrays, one entry a registration; null until the first.
    JavaPtr<JArray<ProximityListener>> allProximityListeners;
    JavaPtr<JArray<Coordinates>> allProximityListenerCoordinates;
    JavaPtr<JArray<float>> allProximityListenerRadii;
    JavaPtr<JArray<LocationProvider>> allLocationProviders;
};

LocationState& locationState();

// Count back to 0, stopping the service if it runs; for the teardown.
void resetLocationUsage();

}  // namespace javax::microedition::location::detail
