// Fixes read from a gpsd that gpsfake feeds from a short NMEA log of ours over a pseudo-terminal,
// on a free port of 127.0.0.1 (never the system's daemon): they reach the location API with the
// log's values, none come once updates stop, an overlong line costs neither the connection nor the
// fixes after it, and an unreachable daemon gives no fix.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "host/GpsdLocationSource.h"
#include "host/LocationManager.h"
#include "host/tests/FakeGpsd.h"
#include "host/tests/LoopbackListener.h"
#include "platform/UiThread.h"
#include "runtime/location/LocationException.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/text/String.h"

namespace {

namespace location = javax::microedition::location;
using location::Location;
using location::LocationProvider;
using Clock = std::chrono::steady_clock;
using namespace gpsdtest;
using hosttest::LoopbackListener;

// Runs the UI queue and the polling pass, as the host's loops do, until the condition holds.
template <class Condition>
bool pumpUntil(Condition condition, std::chrono::seconds bound = std::chrono::seconds(60)) {
    const auto end = Clock::now() + bound;
    while (Clock::now() < end) {
        UiThread::runPending();
        LocationProvider::checkListeners();
        if (condition()) return true;
        UiThread::waitForWork(std::chrono::milliseconds(10));
    }
    return false;
}

class Gpsd : public ::testing::Test {
protected:
    void SetUp() override {
        UiThread::markCurrentThread();
        LocationManager::reset();
        LocationManager::listen();
    }
    void TearDown() override {
        LocationProvider::LocationProvider_staticDestroy();
        UiThread::runPending();
        LocationManager::reset();
    }
};

TEST_F(Gpsd, FixesCarryTheLogsValuesUntilUpdatesStop) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() / ("gpsd-test-" + std::to_string(::getpid()) + ".nmea");
    std::ofstream(log) << nmeaLog();
    const std::string port = freePort();
    FakeGpsd daemon(log, port);
    ASSERT_TRUE(pumpUntil([&] { return accepts(port); })) << "gpsfake did not start";

    GpsdLocationSource source("127.0.0.1", port);
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    JavaPtr<Location> last;
    bool threeD = false, twoD = false;
    ASSERT_TRUE(pumpUntil([&] {
        const JavaPtr<Location> known = LocationProvider::getLastKnownLocation();
        if (!known || known == last) return threeD && twoD;
        last = known;
        const auto point = known->getQualifiedCoordinates();
        const bool london = point->getLatitude() == 51.5;
        EXPECT_TRUE(london || point->getLatitude() == 48.85) << point->getLatitude();
        EXPECT_DOUBLE_EQ(point->getLongitude(), london ? -0.125 : 2.35);
        threeD |= london && point->getAltitude() == 35.0f;
        twoD |= !london && std::isnan(point->getAltitude());
        // gpsd's own fix time, from the log's sentences.
        const std::string time = known->getExtraInfo(java::lang::jnew<java::lang::String>("text/plain"))->val();
        if (!time.empty()) EXPECT_EQ(time.rfind("2026-01-07T12:00:0", 0), 0u) << time;
        return threeD && twoD;
    })) << "3D " << threeD << ", 2D " << twoD;

    // Teardown lets the last use go: the reader disconnects and nothing more arrives.
    LocationProvider::LocationProvider_staticDestroy();
    ASSERT_TRUE(pumpUntil([&] { return !source.connected(); }));
    UiThread::runPending();
    LocationProvider::checkListeners();
    EXPECT_FALSE(LocationProvider::getLastKnownLocation());
    std::filesystem::remove(log);
}

// A daemon that sends a line longer than any report before its fix, and only on its first
// connection: libgps once gave that connection up on the line, and no fix came.
TEST_F(Gpsd, AnOverlongLineIsSkippedAndTheConnectionKeepsItsFixes) {
    LoopbackListener daemon;
    // Joined once the reader has gone, which ends the daemon's wait for requests.
    std::jthread serve([&] {
        const int client = daemon.accept();
        const std::string lines = "{\"class\":\"NOISE\",\"pad\":\"" + std::string(300 * 1024, 'x') +
                                  "\"}\n{\"class\":\"TPV\",\"mode\":2,\"lat\":51.5,\"lon\":-0.125}\n";
        ::send(client, lines.data(), lines.size(), MSG_NOSIGNAL);
        for (char request[256]; ::recv(client, request, sizeof request, 0) > 0;) {
        }
        ::close(client);
    });
    GpsdLocationSource source("127.0.0.1", daemon.port());
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    EXPECT_TRUE(pumpUntil([] { return bool(LocationProvider::getLastKnownLocation()); }));
}

TEST_F(Gpsd, AClosedPortGivesNoFixAndTheProviderStaysAvailable) {
    const std::string port = freePort();
    testing::internal::CaptureStderr();
    GpsdLocationSource source("127.0.0.1", port);
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    EXPECT_EQ(provider->getState(), LocationProvider::AVAILABLE);
    EXPECT_THROW(provider->getLocation(1), location::LocationException);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("no gpsd at 127.0.0.1:" + port), std::string::npos) << errors;
    EXPECT_FALSE(LocationProvider::getLastKnownLocation());
}

}  // namespace
