#include "runtime/location/LocationProvider.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/location/LocationException.h"
#include "runtime/location/LocationState.h"

namespace javax::microedition::location {

using java::lang::jnew;

namespace {

constexpr int64_t DEFAULT_LOCATION_TIMEOUT_MS = 5000;
// A waiting getLocation looks at the clock at least this often, so that a wall clock that is
// set forward (or a test's clock) ends the wait.
constexpr int64_t CLOCK_CHECK_MS = 100;

}  // namespace

detail::LocationState& detail::locationState() {
    static LocationState state;
    return state;
}

JavaPtr<LocationProvider> LocationProvider::getInstance(JavaPtr<Criteria> criteria) {
    if (!criteria) criteria = jnew<Criteria>();
    increaseLocationMechanismUsageCount();
    JavaPtr<LocationProvider> provider = jnew<LocationProvider>(criteria);
    detail::LocationState& state = detail::locationState();
    std::lock_guard guard(state.lock);
    if (!state.allLocationProviders) state.allLocationProviders = jnew<JArray<LocationProvider>>(0);
    state.allLocationProviders->append(provider);
    return provider;
}

JavaPtr<Location> LocationProvider::getLastKnownLocation() {
    detail::LocationState& state = detail::locationState();
    std::lock_guard guard(state.lock);
    return state.lastKnownLocation;
}

void LocationProvider::setLastUnreportedLocation(JavaPtr<Location> fix) {
    detail::LocationState& state = detail::locationState();
    {
        std::lock_guard guard(state.lock);
        std::swap(state.lastUnreportedLocation, fix);
    }
    // The replaced fix is let go here, outside the lock.
}

void LocationProvider::setLocationListener(JavaPtr<LocationListener> listener, int32_t interval, int32_t timeout,
                                           int32_t maxAge) {
    if (listener) increaseLocationMechanismUsageCount();
    JavaPtr<LocationListener> previous;
    {
        std::lock_guard guard(detail::locationState().lock);
        previous = m_listener;
        m_interval = interval;
        m_timeout = timeout;
        m_maxAge = maxAge;
        m_delivered = false;
        m_lastReportTime = -1;
        m_lastReportedLocation = nullptr;
        m_listener = listener;
    }
    if (previous) decreaseLocationMechanismUsageCount();
    if (listener) listener->providerStateChanged(JavaPtr<LocationProvider>(this), m_state);
}

JavaPtr<Location> LocationProvider::getLocation(int32_t timeout) {
    if (timeout == 0 || timeout < -1) throw java::lang::IllegalArgumentException();
    const int64_t wait = timeout == -1 ? DEFAULT_LOCATION_TIMEOUT_MS : static_cast<int64_t>(timeout) * 1000;
    const int64_t deadline = java::lang::System::currentTimeMillis() + wait;
    increaseLocationMechanismUsageCount();
    JavaPtr<Location> result;
    {
        detail::LocationState& state = detail::locationState();
        std::unique_lock guard(state.lock);
        // Held counted, so that a new fix can never take the address of the one seen.
        const JavaPtr<Location> seen = state.lastKnownLocation;
        for (;;) {
            if (state.lastKnownLocation && !(state.lastKnownLocation == seen)) {
                result = state.lastKnownLocation;
                break;
            }
            const int64_t now = java::lang::System::currentTimeMillis();
            if (now >= deadline) break;
            state.published.wait_for(guard, std::chrono::milliseconds(std::min(deadline - now, CLOCK_CHECK_MS)));
        }
    }
    decreaseLocationMechanismUsageCount();
    if (!result) throw LocationException();
    return result;
}

void LocationProvider::LocationProvider_staticDestroy() {
    // Detached under the lock and let go after it, so that destructors meet no half-freed list.
    JavaPtr<java::lang::Object> released[5];
    JavaPtr<JArray<LocationProvider>> providers;
    std::vector<JavaPtr<LocationListener>> listeners;
    {
        detail::LocationState& state = detail::locationState();
        std::lock_guard guard(state.lock);
        released[0] = std::move(state.lastKnownLocation);
        released[1] = std::move(state.lastUnreportedLocation);
        released[2] = std::move(state.allProximityListeners);
        released[3] = std::move(state.allProximityListenerCoordinates);
        released[4] = std::move(state.allProximityListenerRadii);
        providers = std::move(state.allLocationProviders);
        // A listener that keeps its provider would keep both alive for ever.
        for (int32_t i = 0; providers && i < providers->length; ++i) {
            LocationProvider& provider = *(*providers)[i];
            listeners.push_back(std::move(provider.m_listener));
            provider.m_lastReportedLocation = nullptr;
        }
        state.published.notify_all();
    }
    listeners.clear();
    providers = nullptr;
    for (JavaPtr<java::lang::Object>& object : released) object = nullptr;
    detail::resetLocationUsage();
}

}  // namespace javax::microedition::location
