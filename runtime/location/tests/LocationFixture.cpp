#include "runtime/location/tests/LocationFixture.h"

#include <thread>

#include "runtime/HostBridge.h"
#include "runtime/lang/Exceptions.h"
#include "host/LocationManager.h"
#include "platform/UiThread.h"

namespace locationtest {

void LocationFixture::SetUp() {
    java::lang::clocks::setWallSource([] {
        clockReadings.fetch_add(1);
        return fakeNow.load();
    });
    UiThread::markCurrentThread();
    LocationManager::reset();
    LocationManager::listen();
}

void LocationFixture::TearDown() {
    LocationProvider::LocationProvider_staticDestroy();
    LocationManager::reset();
    java::lang::clocks::setWallSource(nullptr);
}

void LocationFixture::feed(double latitude, double longitude, double horizontalAccuracy, double altitude,
                           const char* description) {
    locationFeedback(latitude, longitude, horizontalAccuracy, altitude, 3, 0, description);
}

void LocationFixture::awaitClockReadings(int64_t more) {
    const int64_t target = clockReadings.load() + more;
    while (clockReadings.load() < target) std::this_thread::yield();
}

bool LocationFixture::updatesRunning() { return LocationManager::updatingLocation(); }

std::string extraInfoOf(const JavaPtr<Location>& location) {
    JavaPtr<java::lang::String> text = location->getExtraInfo(jnew<java::lang::String>("text/plain"));
    return text ? std::string(text->val()) : std::string();
}

void RecordingLocationListener::locationUpdated(JavaPtr<LocationProvider>, JavaPtr<Location> location) {
    {
        std::lock_guard guard(m_lock);
        m_calls.push_back({location, fakeNow.load()});
    }
    if (asksForAProvider) LocationProvider::getInstance(nullptr);
    if (throws) throw java::lang::IllegalStateException("listener fails");
}

void RecordingLocationListener::providerStateChanged(JavaPtr<LocationProvider> provider, int32_t newState) {
    std::lock_guard guard(m_lock);
    states.push_back(newState);
    stateProvider = provider;
}

std::vector<RecordingLocationListener::Call> RecordingLocationListener::taken() {
    std::lock_guard guard(m_lock);
    return m_calls;
}

}  // namespace locationtest
