// The proximity registrations: three parallel arrays under the library's lock, and their firing
// when a new fix is published.
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/location/LocationState.h"

namespace javax::microedition::location {

using java::lang::jnew;

namespace {

struct Registration {
    JavaPtr<ProximityListener> listener;
    JavaPtr<Coordinates> point;
    float radius;
};

bool stillRegistered(detail::LocationState& state, const Registration& registration) {
    std::lock_guard guard(state.lock);
    if (!state.allProximityListeners) return false;
    for (int32_t i = 0; i < state.allProximityListeners->length; ++i)
        if ((*state.allProximityListeners)[i] == registration.listener &&
            (*state.allProximityListenerCoordinates)[i] == registration.point)
            return true;
    return false;
}

}  // namespace

void LocationProvider::addProximityListener(JavaPtr<ProximityListener> listener, JavaPtr<Coordinates> coordinates,
                                            float proximityRadius) {
    if (!listener || !coordinates) throw java::lang::NullPointerException();
    if (!(proximityRadius > 0)) throw java::lang::IllegalArgumentException();
    {
        detail::LocationState& state = detail::locationState();
        std::lock_guard guard(state.lock);
        if (!state.allProximityListeners) {
            state.allProximityListeners = jnew<JArray<ProximityListener>>(0);
            state.allProximityListenerCoordinates = jnew<JArray<Coordinates>>(0);
            state.allProximityListenerRadii = jnew<JArray<float>>(0);
        }
        state.allProximityListenerCoordinates->append(coordinates);
        state.allProximityListenerRadii->append(proximityRadius);
        state.allProximityListeners->append(listener);
    }
    increaseLocationMechanismUsageCount();
}

void LocationProvider::removeProximityListener(JavaPtr<ProximityListener> listener, JavaPtr<Coordinates> coordinates) {
    int32_t removed = 0;
    JavaPtr<java::lang::Object> released[3];
    {
        detail::LocationState& state = detail::locationState();
        std::lock_guard guard(state.lock);
        if (!state.allProximityListeners) return;
        auto listeners = jnew<JArray<ProximityListener>>(0);
        auto points = jnew<JArray<Coordinates>>(0);
        auto radii = jnew<JArray<float>>(0);
        for (int32_t i = 0; i < state.allProximityListeners->length; ++i) {
            const JavaPtr<Coordinates>& point = (*state.allProximityListenerCoordinates)[i];
            if ((*state.allProximityListeners)[i] == listener && (!coordinates || point == coordinates)) {
                ++removed;
                continue;
            }
            listeners->append((*state.allProximityListeners)[i]);
            points->append(point);
            radii->append((*state.allProximityListenerRadii)[i]);
        }
        released[0] = std::exchange(state.allProximityListeners, listeners);
        released[1] = std::exchange(state.allProximityListenerCoordinates, points);
        released[2] = std::exchange(state.allProximityListenerRadii, radii);
    }
    for (JavaPtr<java::lang::Object>& old : released) old = nullptr;
    for (; removed > 0; --removed) decreaseLocationMechanismUsageCount();
}

void LocationProvider::fireProximityRegistrations(const JavaPtr<Location>& fix) {
    const JavaPtr<QualifiedCoordinates> at = fix->getQualifiedCoordinates();
    if (!at) return;
    detail::LocationState& state = detail::locationState();
    std::vector<Registration> registrations;
    {
        std::lock_guard guard(state.lock);
        if (!state.allProximityListeners) return;
        for (int32_t i = 0; i < state.allProximityListeners->length; ++i)
            registrations.push_back({(*state.allProximityListeners)[i], (*state.allProximityListenerCoordinates)[i],
                                     (*state.allProximityListenerRadii)[i]});
    }
    // In registration order, each one this fix lies within fires once and goes; one that an
    // earlier event removed does not fire. A NaN distance lies within no radius.
    for (const Registration& registration : registrations) {
        java::lang::runGuarded([&] {
            const float distance = registration.point->distance(at);
            if (!(distance <= registration.radius) || !stillRegistered(state, registration)) return;
            java::lang::runGuarded([&] { registration.listener->proximityEvent(registration.point, fix); });
            removeProximityListener(registration.listener, registration.point);
        });
    }
}

}  // namespace javax::microedition::location
