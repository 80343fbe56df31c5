// Fixes read from a gpsd that gpsfake feeds from a short NMEA log of ours over a pseudo-terminal,
// on a free port of 127.0.0.1 (never the system's daemon): they reach the location API with the
// log's values, none come once updates stop, an overlong line costs neither the connection nor the
// fixes after it, and an unreachable daemon gives no fix.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "host/GpsdLocationSource.h"
#include "host/LocationManager.h"
#include "host/tests/FakeGpsd.h"
#include "platform/GpsdReader.h"
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

struct Seen {
    double latitude, longitude, altitude;
    std::string time;
};

TEST_F(Gpsd, FixesCarryTheLogsValuesUntilUpdatesStop) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() / ("gpsd-test-" + std::to_string(::getpid()) + ".nmea");
    std::ofstream(log) << nmeaLog();
    const std::string port = freePort();
    FakeGpsd daemon(log, port);
    ASSERT_TRUE(pumpUntil([&] { return accepts(port); })) << "gpsfake did not start";

    GpsdLocationSource source("127.0.0.1", port);
    JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
    std::vector<Seen> seen;
    JavaPtr<Location> last;
    const auto sawBoth = [&] {
        const JavaPtr<Location> known = LocationProvider::getLastKnownLocation();
        if (known && !(known == last)) {
            last = known;
            const auto point = known->getQualifiedCoordinates();
            JavaPtr<java::lang::String> time = known->getExtraInfo(java::lang::jnew<java::lang::String>("text/plain"));
            seen.push_back({point->getLatitude(), point->getLongitude(), point->getAltitude(), time->val()});
        }
        bool threeD = false, twoD = false;
        for (const Seen& fix : seen) {
            threeD |= fix.latitude == 51.5 && fix.altitude == 35.0f;
            twoD |= fix.latitude == 48.85 && std::isnan(fix.altitude);
        }
        return threeD && twoD;
    };
    ASSERT_TRUE(pumpUntil(sawBoth)) << seen.size() << " fixes";
    for (const Seen& fix : seen) {
        const bool london = fix.latitude == 51.5;
        EXPECT_TRUE(london || fix.latitude == 48.85) << fix.latitude;
        EXPECT_DOUBLE_EQ(fix.longitude, london ? -0.125 : 2.35);
        // gpsd's own fix time, from the log's sentences.
        if (!fix.time.empty()) EXPECT_EQ(fix.time.rfind("2026-01-07T12:00:0", 0), 0u) << fix.time;
    }

    // Teardown lets the last use go: the reader disconnects and nothing more arrives.
    LocationProvider::LocationProvider_staticDestroy();
    ASSERT_TRUE(pumpUntil([&] { return !source.connected(); }));
    UiThread::runPending();
    LocationProvider::checkListeners();
    EXPECT_FALSE(LocationProvider::getLastKnownLocation());
    std::filesystem::remove(log);
}

sockaddr_in loopback(const std::string& port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(std::stoi(port)));
    return address;
}

// Copies bytes until either side ends, then ends both.
void pipeBytes(int from, int to) {
    char chunk[4096];
    ssize_t got = 0;
    while ((got = ::recv(from, chunk, sizeof chunk, 0)) > 0 && ::send(to, chunk, static_cast<size_t>(got), MSG_NOSIGNAL) == got) {
    }
    ::shutdown(from, SHUT_RDWR);
    ::shutdown(to, SHUT_RDWR);
}

// Stands between a reader and the daemon, forwarding both ways; on its first connection it sends
// one line longer than any report before the daemon's own.
class LongLineRelay {
public:
    explicit LongLineRelay(const std::string& daemonPort) : m_port(freePort()) {
        const sockaddr_in address = loopback(m_port);
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 4);
        m_thread = std::thread([this, daemonPort] {
            for (int client; (client = ::accept(m_listener, nullptr, nullptr)) >= 0; ::close(client)) {
                const int daemon = ::socket(AF_INET, SOCK_STREAM, 0);
                const sockaddr_in to = loopback(daemonPort);
                ::connect(daemon, reinterpret_cast<const sockaddr*>(&to), sizeof to);
                if (m_connections++ == 0) {
                    const std::string line = "{\"class\":\"NOISE\",\"pad\":\"" + std::string(300 * 1024, 'x') + "\"}\n";
                    ::send(client, line.data(), line.size(), MSG_NOSIGNAL);
                }
                std::thread requests(pipeBytes, client, daemon);
                pipeBytes(daemon, client);
                requests.join();
                ::close(daemon);
            }
        });
    }
    // The reader has gone by now, and its connection with it.
    ~LongLineRelay() {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }
    const std::string& port() const { return m_port; }
    int connections() const { return m_connections.load(); }

private:
    std::string m_port;
    int m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    std::atomic<int> m_connections{0};
    std::thread m_thread;
};

TEST_F(Gpsd, AnOverlongLineIsSkippedAndTheConnectionKeepsItsFixes) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() / ("gpsd-long-" + std::to_string(::getpid()) + ".nmea");
    std::ofstream(log) << nmeaLog();
    const std::string daemonPort = freePort();
    FakeGpsd daemon(log, daemonPort);
    ASSERT_TRUE(pumpUntil([&] { return accepts(daemonPort); })) << "gpsfake did not start";
    LongLineRelay relay(daemonPort);

    std::mutex lock;
    std::condition_variable changed;
    int fixes = 0;
    platform::GpsdReader reader("127.0.0.1", relay.port(), [&](const platform::GpsdReader::Fix&) {
        std::lock_guard guard(lock);
        ++fixes;
        changed.notify_all();
    });
    reader.start();
    {
        std::unique_lock guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(60), [&] { return fixes > 0; }));
    }
    EXPECT_EQ(relay.connections(), 1) << "the line cost the connection";
    reader.stop();
    std::filesystem::remove(log);
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
