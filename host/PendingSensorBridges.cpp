// Stand-ins for the sensor and location libraries' entry points, which log each call; this file
// goes when those libraries define them.
#include <cstdio>

#include "host/HostBridge.h"

void setTilt(float x, float y, float z) {
    std::printf("setTilt %g %g %g\n", x, y, z);
    std::fflush(stdout);
}

void locationFeedback(double latitude, double longitude, double horizontalAccuracy, double altitude,
                      double verticalAccuracy, int64_t value, const char* description) {
    std::printf("locationFeedback %g %g %g %g %g %lld \"%s\"\n", latitude, longitude, horizontalAccuracy, altitude,
                verticalAccuracy, static_cast<long long>(value), description ? description : "");
    std::fflush(stdout);
}
