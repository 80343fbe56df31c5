// Stand-in for the location library's entry point, which logs each call; this file goes when
// that library defines it.
#include <cstdio>

#include "host/HostBridge.h"

void locationFeedback(double latitude, double longitude, double horizontalAccuracy, double altitude,
                      double verticalAccuracy, int64_t value, const char* description) {
    std::printf("locationFeedback %g %g %g %g %g %lld \"%s\"\n", latitude, longitude, horizontalAccuracy, altitude,
                verticalAccuracy, static_cast<long long>(value), description ? description : "");
    std::fflush(stdout);
}
