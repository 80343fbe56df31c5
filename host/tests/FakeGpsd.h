// gpsfake on a free port of 127.0.0.1, fed from a short NMEA log of ours over a pseudo-terminal:
// never the system's gpsd.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace gpsdtest {

// Each second one report: the mode first, then position and time. Three 3D fixes at 51.5 N,
// 0.125 W, 35 m above the sea, then two 2D fixes at 48.85 N, 2.35 E with no altitude.
std::string nmeaLog();

// A port of 127.0.0.1 that nothing listens on just now.
std::string freePort();

// True when something accepts connections on the port of 127.0.0.1.
bool accepts(const std::string& port);

// gpsfake in a process group of its own, replaying the log in a loop, ended with the object.
class FakeGpsd {
public:
    // One sentence every cycle seconds.
    FakeGpsd(const std::filesystem::path& log, const std::string& port, const char* cycle = "0.1");
    ~FakeGpsd();
    FakeGpsd(const FakeGpsd&) = delete;
    FakeGpsd& operator=(const FakeGpsd&) = delete;

private:
    pid_t m_pid = -1;
};

}  // namespace gpsdtest
