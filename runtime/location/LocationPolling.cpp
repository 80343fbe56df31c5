// The polling pass on the tick thread: publishing the newest fix and serving the listeners.
#include <vector>

#include "runtime/lang/System.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/location/LocationState.h"
#include "runtime/text/String.h"

namespace javax::microedition::location {

using java::lang::jnew;

namespace {

constexpr int64_t DEFAULT_INTERVAL_MS = 5000;
constexpr int64_t DEFAULT_TIMEOUT_MS = 5000;
constexpr int64_t DEFAULT_MAX_AGE_MS = 20000;

// Seconds as milliseconds, in 64 bits: a large interval must not wrap around.
int64_t millis(int32_t seconds) { return static_cast<int64_t>(seconds) * 1000; }

}  // namespace

void LocationProvider::checkListeners() {
    detail::LocationState& state = detail::locationState();
    JavaPtr<Location> fresh;
    std::vector<JavaPtr<LocationProvider>> providers;
    {
        std::lock_guard guard(state.lock);
        if (state.lastUnreportedLocation && !(state.lastUnreportedLocation == state.lastKnownLocation)) {
            state.lastKnownLocation = state.lastUnreportedLocation;
            fresh = state.lastKnownLocation;
            state.published.notify_all();
        }
    }
    if (fresh) fireProximityRegistrations(fresh);
    {
        std::lock_guard guard(state.lock);
        if (!state.allLocationProviders) return;
        providers.assign(state.allLocationProviders->data,
                         state.allLocationProviders->data + state.allLocationProviders->length);
    }
    // Listeners run on this snapshot without the lock: they may call getInstance, set listeners or
    // throw, and the other providers are still served.
    const int64_t now = java::lang::System::currentTimeMillis();
    for (const JavaPtr<LocationProvider>& provider : providers) provider->serveListener(now);
}

void LocationProvider::serveListener(int64_t now) {
    JavaPtr<LocationListener> listener;
    JavaPtr<Location> handed;
    bool invalid = false;
    {
        detail::LocationState& state = detail::locationState();
        std::lock_guard guard(state.lock);
        if (!m_listener || m_interval == 0) return;
        const int64_t interval = m_interval == -1 ? DEFAULT_INTERVAL_MS : millis(m_interval);
        const int64_t timeout = m_timeout == -1 ? DEFAULT_TIMEOUT_MS : m_interval == -1 ? -1 : millis(m_timeout);
        const int64_t maxAge = m_maxAge == -1 || m_interval == -1 ? DEFAULT_MAX_AGE_MS : millis(m_maxAge);
        const JavaPtr<Location>& known = state.lastKnownLocation;
        if (!m_delivered) {
            if (known && now <= known->timestamp + maxAge) {
                handed = known;
                m_delivered = true;
            } else if (m_lastReportTime + interval <= now) {
                invalid = true;
            }
        } else if (m_lastReportTime + interval <= now && known) {
            if (!(m_lastReportedLocation == known)) handed = known;
            else if (m_lastReportTime + interval + timeout <= now) invalid = true;
        }
        if (!handed && !invalid) return;
        m_lastReportTime = now;
        if (handed) m_lastReportedLocation = handed;
        listener = m_listener;
    }
    if (invalid) handed = createInvalidLocationPtr();
    java::lang::runGuarded([&] { listener->locationUpdated(JavaPtr<LocationProvider>(this), handed); });
}

JavaPtr<Location> LocationProvider::createInvalidLocationPtr() {
    const JavaPtr<Location> known = getLastKnownLocation();
    JavaPtr<Location> invalid = jnew<Location>();
    if (!known) {
        invalid->extraInfo = jnew<java::lang::String>("We haven't received any Location information yet");
        return invalid;
    }
    invalid->addressInfo = known->addressInfo;
    invalid->course = known->course;
    invalid->speed = known->speed;
    invalid->locationMethod = known->locationMethod;
    invalid->timestamp = known->timestamp;
    // A copy: the invalid location must not share the real fix's point.
    if (const JavaPtr<QualifiedCoordinates>& point = known->qualifiedCoordinates) {
        invalid->qualifiedCoordinates =
            jnew<QualifiedCoordinates>(point->getLatitude(), point->getLongitude(), point->getAltitude(),
                                       point->getHorizontalAccuracy(), point->getVerticalAccuracy());
    }
    invalid->extraInfo = jnew<java::lang::String>("This Location information is out of date");
    return invalid;
}

}  // namespace javax::microedition::location
