// The location library's statics torn down around each test, a fake wall clock that counts its
// readings, the host's location manager without a delegate, and listeners that record calls.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/lang/Clocks.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/text/String.h"

namespace locationtest {

namespace location = javax::microedition::location;
using java::lang::jnew;
using location::Coordinates;
using location::Location;
using location::LocationProvider;

inline std::atomic<int64_t> fakeNow{1'000'000};
inline std::atomic<int64_t> clockReadings{0};

class LocationFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One fix from the platform, as the host hands it over.
    static void feed(double latitude, double longitude, double horizontalAccuracy = 5, double altitude = 10,
                     const char* description = "fix");
    // One fix, then one polling pass.
    static void feedAndPass(double latitude, double longitude) {
        feed(latitude, longitude);
        LocationProvider::checkListeners();
    }
    // Waits, without a bound of time, until the clock has been read this many more times.
    static void awaitClockReadings(int64_t more);
    // True while the host's location updates run.
    static bool updatesRunning();
};

// The extra info of a location as text; "" when null.
std::string extraInfoOf(const JavaPtr<Location>& location);

class RecordingLocationListener : public java::lang::Object, public location::LocationListener {
    JAVA_CLASS(RecordingLocationListener, "locationtest.RecordingLocationListener", java::lang::Object,
               location::LocationListener)
public:
    struct Call {
        JavaPtr<Location> location;
        int64_t at;
    };
    void locationUpdated(JavaPtr<LocationProvider>, JavaPtr<Location> location) override;
    void providerStateChanged(JavaPtr<LocationProvider> provider, int32_t newState) override;
    std::vector<Call> taken();

    bool throws = false;
    bool asksForAProvider = false;
    std::vector<int32_t> states;
    JavaPtr<LocationProvider> stateProvider;

private:
    std::mutex m_lock;
    std::vector<Call> m_calls;
};

class RecordingProximityListener : public java::lang::Object, public location::ProximityListener {
    JAVA_CLASS(RecordingProximityListener, "locationtest.RecordingProximityListener", java::lang::Object,
               location::ProximityListener)
public:
    void proximityEvent(JavaPtr<Coordinates> coordinates, JavaPtr<Location>) override {
        std::lock_guard guard(m_lock);
        m_points.push_back(coordinates);
    }
    std::vector<JavaPtr<Coordinates>> taken() {
        std::lock_guard guard(m_lock);
        return m_points;
    }

private:
    std::mutex m_lock;
    std::vector<JavaPtr<Coordinates>> m_points;
};

}  // namespace locationtest
