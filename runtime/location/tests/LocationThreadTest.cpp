// Fixes at 100 Hz from one thread while another runs the polling passes and application threads
// wait for fixes, swap listeners and register proximity: nothing is lost or raced (the
// ThreadSanitizer build runs this).
#include <thread>

#include "runtime/lang/Clocks.h"
#include "runtime/lang/Throwable.h"
#include "runtime/location/tests/LocationFixture.h"

namespace locationtest {
namespace {

using LocationThreads = LocationFixture;

constexpr int WAITS = 100;

TEST_F(LocationThreads, FixesListenersAndWaitingCallersShareTheStateSafely) {
    java::lang::clocks::setWallSource(nullptr);
    std::atomic<bool> done{false}, ticking{true};
    std::thread feeder([&] {
        for (int i = 0; !done; ++i) {
            feed(10 + i % 2, 20, 5, 30, "threaded fix");
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    std::thread ticker([&] {
        while (ticking) {
            LocationProvider::checkListeners();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });

    JavaPtr<RecordingLocationListener> listener = jnew<RecordingLocationListener>();
    JavaPtr<RecordingProximityListener> near = jnew<RecordingProximityListener>();
    int found = 0;
    std::thread application([&] {
        JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
        for (int i = 0; i < WAITS; ++i) {
            provider->setLocationListener(listener, 1, -1, -1);
            LocationProvider::addProximityListener(near, jnew<Coordinates>(10, 20, 0.0f), 1000);
            try {
                if (provider->getLocation(2)->isValid()) ++found;
            } catch (java::lang::Throwable&) {
            }
            provider->setLocationListener(nullptr, -1, -1, -1);
        }
        LocationProvider::removeProximityListener(near);
        done = true;
    });
    std::thread other([&] {
        JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
        while (!done) {
            provider->setLocationListener(listener, -1, -1, -1);
            provider->setLocationListener(nullptr, -1, -1, -1);
        }
    });
    application.join();
    other.join();
    feeder.join();
    ticking = false;
    ticker.join();

    EXPECT_EQ(found, WAITS);
    EXPECT_FALSE(listener->taken().empty());
    EXPECT_FALSE(near->taken().empty());
    for (const auto& call : listener->taken()) EXPECT_TRUE(call.location);
}

}  // namespace
}  // namespace locationtest
