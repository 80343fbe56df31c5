// Providers on a fake wall clock: waiting for a fix, counting uses of the location service, the
// polling pass's deliveries and proximity events, and the platform feed's checks.
#include <cmath>
#include <limits>
#include <optional>
#include <thread>

#include "runtime/lang/Exceptions.h"
#include "runtime/location/LocationException.h"
#include "runtime/location/tests/LocationFixture.h"

namespace locationtest {
namespace {

using Provider = LocationFixture;
using java::lang::IllegalArgumentException;
using location::LocationException;
using Listener = RecordingLocationListener;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr const char* NONE_YET = "We haven't received any Location information yet";
constexpr const char* OUT_OF_DATE = "This Location information is out of date";

// Degrees of longitude on the equator that make the metres, as distance measures them.
double equatorDegrees(double metres) { return metres / 111319.5; }

TEST_F(Provider, GetLocationRefusesBadTimeoutsAtOnceAndGivesUpExactlyAtItsDeadline) {
    for (const int32_t timeout : {0, -2, -1000})
        EXPECT_THROW(LocationProvider::getInstance(nullptr)->getLocation(timeout), IllegalArgumentException) << timeout;
    LocationProvider::LocationProvider_staticDestroy();
    for (const std::pair<int32_t, int64_t>& row : {std::pair<int32_t, int64_t>{2, 2000}, {-1, 5000}}) {
        const int32_t timeout = row.first;
        const int64_t deadline = row.second;
        JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
        const int64_t start = fakeNow;
        std::atomic<bool> done{false};
        std::thread waiter([&] {
            EXPECT_THROW(provider->getLocation(timeout), LocationException);
            done = true;
        });
        // The waiter has set its deadline once it reads the clock in its loop.
        awaitClockReadings(2);
        fakeNow = start + deadline - 1;
        // Two readings after the step: the waiter has looked at the clock at least once since.
        awaitClockReadings(2);
        EXPECT_FALSE(done) << timeout;
        EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 2);
        fakeNow = start + deadline;
        waiter.join();
        EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 1);
        LocationProvider::LocationProvider_staticDestroy();
    }
}

TEST_F(Provider, GetLocationReturnsOnlyAFixPublishedAfterTheCall) {
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    feedAndPass(10, 20);
    JavaPtr<Location> returned;
    std::thread waiter([&] { returned = provider->getLocation(-1); });
    awaitClockReadings(2);
    feedAndPass(11, 21);
    waiter.join();
    ASSERT_TRUE(returned);
    EXPECT_EQ(returned->getQualifiedCoordinates()->getLatitude(), 11);
    EXPECT_TRUE(returned == LocationProvider::getLastKnownLocation());
}

TEST_F(Provider, UsesOfTheLocationServiceAreCounted) {
    EXPECT_FALSE(updatesRunning());
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    EXPECT_TRUE(updatesRunning());
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 1);

    JavaPtr<Listener> a = jnew<Listener>(), b = jnew<Listener>();
    provider->setLocationListener(a, 3, 1, 10);
    EXPECT_EQ(a->states, std::vector<int32_t>{LocationProvider::AVAILABLE});
    EXPECT_TRUE(a->stateProvider == provider);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 2);
    provider->setLocationListener(b, -1, -1, -1);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 2);
    provider->setLocationListener(nullptr, -1, -1, -1);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 1);
    EXPECT_EQ(a->states.size() + b->states.size(), 2u);

    JavaPtr<RecordingProximityListener> near = jnew<RecordingProximityListener>();
    JavaPtr<Coordinates> here = jnew<Coordinates>(1, 1, 0.0f), there = jnew<Coordinates>(2, 2, 0.0f);
    LocationProvider::addProximityListener(near, here, 10);
    LocationProvider::addProximityListener(near, there, 10);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 3);
    LocationProvider::removeProximityListener(near, here);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 2);
    LocationProvider::removeProximityListener(near);
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 1);
    EXPECT_THROW(LocationProvider::addProximityListener(near, here, 0), IllegalArgumentException);
    EXPECT_THROW(LocationProvider::addProximityListener(near, here, static_cast<float>(NaN)), IllegalArgumentException);
    EXPECT_THROW(LocationProvider::addProximityListener(nullptr, here, 1), java::lang::NullPointerException);

    // Teardown lets every use go, and the service stops.
    LocationProvider::LocationProvider_staticDestroy();
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 0);
    EXPECT_FALSE(updatesRunning());
}

TEST_F(Provider, OnlyTheLastOfTwoFixesBetweenPassesIsPublishedAndDelivered) {
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    JavaPtr<Listener> listener = jnew<Listener>();
    provider->setLocationListener(listener, -1, -1, -1);
    feed(10, 20);
    feed(30, 40);
    LocationProvider::checkListeners();
    const auto calls = listener->taken();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].location->isValid());
    EXPECT_EQ(calls[0].location->getQualifiedCoordinates()->getLatitude(), 30);
    EXPECT_EQ(extraInfoOf(calls[0].location), "fix");
    EXPECT_EQ(calls[0].location->getLocationMethod(), Location::MTE_SATELLITE);
}

TEST_F(Provider, ProximityRegistrationsFireOnceWithinTheirRadiusInOrder) {
    struct Row {
        const char* what;
        std::vector<std::pair<double, double>> points;  // latitude, metres east on the equator
        float radius;
        double fixMetres;
        size_t events;  // the first registrations, in order
    };
    const Row rows[] = {
        {"99 m within 100", {{0, 0}}, 100, 99, 1},
        {"101 m beyond 100", {{0, 0}}, 100, 101, 0},
        {"two in range", {{0, 0}, {0, 20}}, 50, 10, 2},
        // A NaN latitude passes the range checks; every distance from it is NaN.
        {"NaN distance", {{NaN, 0}}, 1e9f, 0, 0},
    };
    for (const Row& row : rows) {
        JavaPtr<RecordingProximityListener> listener = jnew<RecordingProximityListener>();
        std::vector<JavaPtr<Coordinates>> points;
        for (const auto& [latitude, metres] : row.points) {
            points.push_back(jnew<Coordinates>(latitude, equatorDegrees(metres), 0.0f));
            LocationProvider::addProximityListener(listener, points.back(), row.radius);
        }
        feedAndPass(0, equatorDegrees(row.fixMetres));
        feedAndPass(0, equatorDegrees(row.fixMetres));
        const auto events = listener->taken();
        ASSERT_EQ(events.size(), row.events) << row.what;
        for (size_t i = 0; i < events.size(); ++i) EXPECT_TRUE(events[i] == points[i]) << row.what;
        EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), static_cast<int32_t>(points.size() - row.events))
            << row.what;
        LocationProvider::LocationProvider_staticDestroy();
    }
}

// Each step: move the clock to start + at, optionally feed a fix first, run a pass, and expect
// the listener to have been called with a valid fix ('V'), an invalid location ('I') or not ('-').
struct Step {
    int64_t at;
    char expected;
    bool fixFirst = false;
};

struct Schedule {
    const char* what;
    int32_t interval, timeout, maxAge;
    int64_t fixAge;  // a fix this old exists before registration; -1: none
    const char* invalidText;
    std::vector<Step> steps;
};

TEST_F(Provider, ListenersAreServedByIntervalTimeoutAndMaximumAge) {
    const Schedule schedules[] = {
        {"defaults, never a fix", -1, -1, -1, -1, NONE_YET, {{0, 'I'}, {4999, '-'}, {5000, 'I'}, {10000, 'I'}}},
        {"2/1/30 with a 10 s old fix", 2, 1, 30, 10000, OUT_OF_DATE,
         {{0, 'V'}, {2999, '-'}, {3000, 'I'}, {5999, '-'}, {6000, 'I'}, {7000, '-', true}, {8000, 'V'}}},
        {"interval -1, timeout 60, after a fix", -1, 60, -1, 0, OUT_OF_DATE,
         {{0, 'V'}, {4999, '-'}, {5000, 'I'}, {10000, 'I'}}},
        {"a fix older than the maximum age", 2, 1, 5, 6000, OUT_OF_DATE, {{0, 'I'}, {1999, '-'}, {2000, 'I'}}},
        // 32-bit milliseconds would wrap these to negative numbers.
        {"a maximum age beyond 2^31 ms", 3000000, 3000000, 3000000, 1000000, nullptr, {{0, 'V'}, {1000, '-'}}},
        {"interval 0 is never served", 0, -1, -1, 0, nullptr, {{0, '-'}, {60000, '-'}}},
    };
    for (const Schedule& schedule : schedules) {
        const int64_t start = fakeNow;
        if (schedule.fixAge >= 0) {
            fakeNow = start - schedule.fixAge;
            feedAndPass(5, 5);
            fakeNow = start;
        }
        JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
        JavaPtr<Listener> listener = jnew<Listener>();
        provider->setLocationListener(listener, schedule.interval, schedule.timeout, schedule.maxAge);
        size_t seen = 0;
        for (const Step& step : schedule.steps) {
            fakeNow = start + step.at;
            if (step.fixFirst) feed(6, 6);
            LocationProvider::checkListeners();
            const auto calls = listener->taken();
            if (step.expected == '-') {
                EXPECT_EQ(calls.size(), seen) << schedule.what << " at " << step.at;
                continue;
            }
            ASSERT_EQ(calls.size(), seen + 1) << schedule.what << " at " << step.at;
            const JavaPtr<Location>& location = calls[seen++].location;
            EXPECT_EQ(location->isValid(), step.expected == 'V') << schedule.what << " at " << step.at;
            if (step.expected == 'I') EXPECT_EQ(extraInfoOf(location), schedule.invalidText) << schedule.what;
        }
        LocationProvider::LocationProvider_staticDestroy();
        fakeNow = start + 1000000;
    }
}

TEST_F(Provider, AnOutOfDateLocationCarriesACopyOfTheLastPoint) {
    feedAndPass(12, 34);
    const JavaPtr<Location> known = LocationProvider::getLastKnownLocation();
    const JavaPtr<Location> invalid = LocationProvider::createInvalidLocationPtr();
    EXPECT_FALSE(invalid->isValid());
    EXPECT_EQ(invalid->getTimestamp(), known->getTimestamp());
    ASSERT_TRUE(invalid->getQualifiedCoordinates());
    EXPECT_FALSE(invalid->getQualifiedCoordinates() == known->getQualifiedCoordinates());
    EXPECT_EQ(invalid->getQualifiedCoordinates()->getLatitude(), 12);
    invalid->getQualifiedCoordinates()->setLatitude(0);
    EXPECT_EQ(known->getQualifiedCoordinates()->getLatitude(), 12);
}

TEST_F(Provider, AFailingListenerOrOneAskingForAProviderStopsNobody) {
    JavaPtr<LocationProvider> first = LocationProvider::getInstance(nullptr);
    JavaPtr<LocationProvider> second = LocationProvider::getInstance(nullptr);
    JavaPtr<Listener> failing = jnew<Listener>(), asking = jnew<Listener>();
    failing->throws = true;
    asking->asksForAProvider = true;
    first->setLocationListener(failing, 1, -1, -1);
    second->setLocationListener(asking, 1, -1, -1);
    for (int pass = 0; pass < 2; ++pass) {
        feedAndPass(1, pass);
        fakeNow += 1000;
    }
    EXPECT_EQ(failing->taken().size(), 2u);
    EXPECT_EQ(asking->taken().size(), 2u);
    // Each call of the asking listener made one more provider, and getInstance still answers.
    EXPECT_EQ(LocationProvider::locationMechanismUsageCount(), 2 + 2 + 2);
    EXPECT_TRUE(LocationProvider::getInstance(nullptr));
}

TEST_F(Provider, TheFeedKeepsValidFixesOnlyAndNeverThrows) {
    struct Row {
        const char* what;
        double latitude, longitude, horizontalAccuracy, altitude;
        bool kept;
        double keptLongitude = 0;
    };
    const Row rows[] = {
        {"plain", 48.85, 2.35, 5, 35, true, 2.35},
        {"longitude 180 is -180", 10, 180, 5, 35, true, -180},
        {"unknown altitude and accuracy", 10, 20, NaN, NaN, true, 20},
        {"NaN latitude", NaN, 20, 5, 35, false},
        {"NaN longitude", 10, NaN, 5, 35, false},
        {"latitude 90.5", 90.5, 20, 5, 35, false},
        {"longitude -180.5", 10, -180.5, 5, 35, false},
        {"negative accuracy", 10, 20, -1, 35, false},
    };
    for (const Row& row : rows) {
        LocationProvider::LocationProvider_staticDestroy();
        EXPECT_NO_THROW(feed(row.latitude, row.longitude, row.horizontalAccuracy, row.altitude)) << row.what;
        LocationProvider::checkListeners();
        const JavaPtr<Location> known = LocationProvider::getLastKnownLocation();
        ASSERT_EQ(static_cast<bool>(known), row.kept) << row.what;
        if (!row.kept) continue;
        const JavaPtr<location::QualifiedCoordinates> point = known->getQualifiedCoordinates();
        EXPECT_EQ(point->getLongitude(), row.keptLongitude) << row.what;
        EXPECT_EQ(std::isnan(point->getAltitude()), std::isnan(row.altitude)) << row.what;
        EXPECT_EQ(std::isnan(point->getHorizontalAccuracy()), std::isnan(row.horizontalAccuracy)) << row.what;
    }
}

}  // namespace
}  // namespace locationtest
