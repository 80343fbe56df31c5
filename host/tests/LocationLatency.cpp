// Measures, not part of the test run: the time from a fix reaching the host (a gpsd report read
// by the reader; a script's location command on the UI thread) to a waiting getLocation
// returning it and to the proximity event it causes, with the tick thread passing every 10 ms
// as the launcher's does. Prints the median and the worst of 100 of each.
// Run: bin/location_latency (needs gpsfake).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/LocationManager.h"
#include "host/tests/FakeGpsd.h"
#include "platform/GpsdReader.h"
#include "platform/UiThread.h"
#include "runtime/lang/Throwable.h"
#include "runtime/location/LocationProvider.h"

namespace {

namespace location = javax::microedition::location;
using location::LocationProvider;
using Clock = std::chrono::steady_clock;

constexpr size_t SAMPLES = 100;
constexpr auto PASS = std::chrono::milliseconds(10);

std::atomic<int64_t> arrivedAt{0};
int64_t nowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

class Near : public java::lang::Object, public location::ProximityListener {
    JAVA_CLASS(Near, "latency.Near", java::lang::Object, location::ProximityListener)
public:
    void proximityEvent(JavaPtr<location::Coordinates>, JavaPtr<location::Location>) override {
        std::lock_guard guard(lock);
        micros.push_back(nowMicros() - arrivedAt.load());
        armed = false;
    }
    size_t count() {
        std::lock_guard guard(lock);
        return micros.size();
    }
    std::mutex lock;
    std::vector<int64_t> micros;
    // One registration at a time, so that each fix gives at most one event.
    std::atomic<bool> armed{false};
};

void report(const char* what, std::vector<int64_t> micros) {
    micros.resize(SAMPLES);
    std::sort(micros.begin(), micros.end());
    std::printf("%-40s median %7.2f ms, worst %7.2f ms (%zu)\n", what, micros[micros.size() / 2] / 1000.0,
                micros.back() / 1000.0, micros.size());
}

// Fixes arrive through arrive(), which stamps arrivedAt; the UI thread runs its queue, the tick
// thread passes, and an application thread waits with getLocation, SAMPLES times.
template <class Arrive>
void measure(const char* source, double latitude, double longitude, Arrive arrive) {
    std::atomic<bool> running{true};
    std::thread ticker([&] {
        while (running) {
            const auto start = Clock::now();
            LocationProvider::checkListeners();
            std::this_thread::sleep_until(start + PASS);
        }
    });
    JavaPtr<Near> near = java::lang::jnew<Near>();
    std::vector<int64_t> waited;
    std::atomic<bool> measuring{true};
    std::thread application([&] {
        JavaPtr<LocationProvider> provider = LocationProvider::getInstance(nullptr);
        const JavaPtr<location::Coordinates> point = java::lang::jnew<location::Coordinates>(latitude, longitude, 0.0f);
        while (waited.size() < SAMPLES || near->count() < SAMPLES) {
            if (!near->armed.exchange(true)) LocationProvider::addProximityListener(near, point, 100);
            try {
                provider->getLocation(-1);
                waited.push_back(nowMicros() - arrivedAt.load());
            } catch (java::lang::Throwable&) {
            }
        }
        measuring = false;
    });
    const auto giveUp = Clock::now() + std::chrono::minutes(2);
    while (measuring) {
        if (Clock::now() > giveUp) {
            std::fprintf(stderr, "%s: fixes stopped coming; no result\n", source);
            std::_Exit(1);
        }
        arrive();
        UiThread::runPending();
        UiThread::waitForWork(std::chrono::milliseconds(5));
    }
    application.join();
    running = false;
    ticker.join();
    report((std::string(source) + " to getLocation").c_str(), waited);
    std::lock_guard guard(near->lock);
    report((std::string(source) + " to proximity event").c_str(), near->micros);
    LocationProvider::LocationProvider_staticDestroy();
}

}  // namespace

int main() {
    UiThread::markCurrentThread();
    LocationManager::listen();

    // The script's command: one fix every 50 ms, delivered on the UI thread as the runner does.
    auto next = Clock::now();
    measure("script command", 48.86, 2.35, [&] {
        if (Clock::now() < next) return;
        next = Clock::now() + std::chrono::milliseconds(50);
        arrivedAt = nowMicros();
        LocationManager::deliver(LocationFix{48.86, 2.35, 5, 35, 3, "script"});
    });

    // gpsd's report, as the windowed host's source hands it on.
    const std::filesystem::path log = std::filesystem::temp_directory_path() / "location-latency.nmea";
    std::ofstream(log) << gpsdtest::nmeaLog();
    const std::string port = gpsdtest::freePort();
    gpsdtest::FakeGpsd daemon(log, port, "0.02");
    while (!gpsdtest::accepts(port)) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    platform::GpsdReader reader("127.0.0.1", port, [](const platform::GpsdReader::Fix& read) {
        arrivedAt = nowMicros();
        LocationFix fix{read.latitude, read.longitude, read.horizontalAccuracy, read.altitude, read.verticalAccuracy,
                        read.time};
        UiThread::post([fix] { LocationManager::deliver(fix); });
    });
    LocationManager::setUpdateSource([&reader](bool updating) { updating ? reader.start() : reader.stop(); });
    measure("gpsd report", 51.5, -0.125, [] {});
    LocationManager::setUpdateSource(nullptr);
    std::filesystem::remove(log);
    return 0;
}
