// The entry point of the location API: providers over the one platform location service, fixes
// on request, periodic listeners and proximity registrations. Fixes reach it through
// locationFeedback and are published and delivered by checkListeners on the tick thread.
#pragma once

#include <cstdint>

#include "runtime/location/Coordinates.h"
#include "runtime/location/Criteria.h"
#include "runtime/location/Location.h"
#include "runtime/location/LocationListener.h"
#include "runtime/location/ProximityListener.h"

namespace javax::microedition::location {

class LocationProvider : public java::lang::Object {
    JAVA_CLASS(LocationProvider, "javax.microedition.location.LocationProvider", java::lang::Object)
public:
    static constexpr int32_t AVAILABLE = 1;
    static constexpr int32_t TEMPORARILY_UNAVAILABLE = 2;
    static constexpr int32_t OUT_OF_SERVICE = 3;

    // Made by getInstance only, which lists it for the rest of the run.
    explicit LocationProvider(JavaPtr<Criteria> criteria) : m_criteria(std::move(criteria)) {}

    // Waits for a fix published after the call began: timeout in seconds, -1 for 5 s.
    // IllegalArgumentException for 0 or below -1; LocationException when none came in time.
    virtual JavaPtr<Location> getLocation(int32_t timeout);
    virtual int32_t getState() { return m_state; }
    virtual void reset() {}
    // Replaces the listener (null: none) and its interval, timeout and maximum age in seconds
    // (-1: the defaults); a new listener hears providerStateChanged on the calling thread.
    virtual void setLocationListener(JavaPtr<LocationListener> listener, int32_t interval, int32_t timeout,
                                     int32_t maxAge);

    // Never null and never throws; null criteria mean the defaults.
    static JavaPtr<LocationProvider> getInstance(JavaPtr<Criteria> criteria);
    static JavaPtr<Location> getLastKnownLocation();
    // NullPointerException for a null listener or point, IllegalArgumentException for a radius
    // that is not above 0.
    static void addProximityListener(JavaPtr<ProximityListener> listener, JavaPtr<Coordinates> coordinates,
                                     float proximityRadius);
    // Every registration of the listener at that point (the same object), or at any point for null.
    static void removeProximityListener(JavaPtr<ProximityListener> listener, JavaPtr<Coordinates> coordinates);
    static void removeProximityListener(JavaPtr<ProximityListener> listener) {
        removeProximityListener(std::move(listener), nullptr);
    }
    // The polling pass, on the tick thread: publishes the newest fix, fires the proximity
    // registrations it lies within, then serves each provider's listener.
    static void checkListeners();
    // An invalid location saying why there is no fix: none yet, or the last one is out of date.
    static JavaPtr<Location> createInvalidLocationPtr();

    // The platform service runs while the count is above 0.
    static void increaseLocationMechanismUsageCount();
    static void decreaseLocationMechanismUsageCount();
    static int32_t locationMechanismUsageCount();

    // The platform feed's newest fix, which the next polling pass publishes.
    static void setLastUnreportedLocation(JavaPtr<Location> fix);

    static void LocationProvider_staticInit() {}
    // Drops the fixes, registrations and providers and stops the location service.
    static void LocationProvider_staticDestroy();

private:
    static void fireProximityRegistrations(const JavaPtr<Location>& fix);
    // Calls the listener when its interval, timeout and maximum age make a call due at now.
    void serveListener(int64_t now);

    // Guarded by the library's lock.
    JavaPtr<LocationListener> m_listener;
    int32_t m_interval = -1;
    int32_t m_timeout = -1;
    int32_t m_maxAge = -1;
    int64_t m_lastReportTime = -1;
    JavaPtr<Location> m_lastReportedLocation;
    bool m_delivered = false;
    JavaPtr<Criteria> m_criteria;
    const int32_t m_state = AVAILABLE;
};

}  // namespace javax::microedition::location
