// Reads position reports from a gpsd daemon through libgps, on a thread of its own, while it is
// started. A daemon that cannot be reached is said once on standard error and asked again every
// RETRY_INTERVAL until it answers or the reader is stopped.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class GpsdReader {
public:
    // One 2D or 3D fix; what gpsd does not know is NaN.
    struct Fix {
        double latitude = 0;
        double longitude = 0;
        double horizontalAccuracy = 0;  // metres
        double altitude = 0;            // metres above mean sea level; NaN in a 2D fix
        double verticalAccuracy = 0;    // metres
        std::string time;               // gpsd's fix time, ISO 8601; empty when it has none
    };
    // Called on the reader's thread, never after stop() or the destructor has returned.
    using FixHandler = std::function<void(const Fix&)>;

    static constexpr std::chrono::seconds RETRY_INTERVAL{5};
    // How long the destructor waits for a reader stuck connecting (a name or an address that does
    // not answer) before leaving it to end on its own.
    static constexpr std::chrono::seconds STOP_BOUND{2};

    GpsdReader(std::string host, std::string port, FixHandler handler);
    ~GpsdReader();
    GpsdReader(const GpsdReader&) = delete;
    GpsdReader& operator=(const GpsdReader&) = delete;

    // Connects (the first start makes the thread) and delivers fixes until stop(), which
    // disconnects. Both may be called from any thread, any number of times.
    void start();
    void stop();
    // True while a connection to the daemon is open; for tests.
    bool connected() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

}  // namespace platform
