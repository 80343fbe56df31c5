// The accelerometer's last reading as two tilt angles, handed whole from the UI thread (setTilt)
// to the polling pass on the tick thread. One reading at a time: a new one replaces the last.
#pragma once

#include <cstdint>

namespace javax::microedition::sensor {

class TiltFeed {
public:
    struct Reading {
        double pitch = 0;      // radians, from the y component, in [-pi/2, pi/2]
        double roll = 0;       // radians, from the x component, in [-pi, pi]
        int64_t timestamp = 0; // System::currentTimeMillis at the reading
        uint64_t serial = 0;   // tells readings apart, so a pass lowers only the one it took
    };

    // Takes one reading in g. Allocates nothing and calls nobody: it runs at the sampling rate.
    static void put(float x, float y, float z);
    // The pending reading, if one is pending.
    static bool pending(Reading& reading);
    // Lowers the pending flag, unless a newer reading has replaced that one meanwhile.
    static void consume(uint64_t serial);
    // Back to the state at process start; for tests.
    static void reset();
};

}  // namespace javax::microedition::sensor
