#include "runtime/sensor/TiltFeed.h"

#include <cmath>
#include <mutex>

#include "runtime/HostBridge.h"
#include "runtime/lang/System.h"
#include "runtime/text/Math.h"

namespace javax::microedition::sensor {

namespace {

std::mutex feedLock;
TiltFeed::Reading last;
uint64_t serials = 0;
bool sampleJustSet = false;

double clampedToOneG(float component) {
    if (component < -1.0f) return -1.0;
    if (component > 1.0f) return 1.0;
    return component;
}

}  // namespace

void TiltFeed::put(float x, float y, float z) {
    double roll = std::asin(clampedToOneG(x));
    const double pitch = std::asin(clampedToOneG(y));
    // Facing away: roll continues into the outer half of the circle (a negative zero stays on the
    // positive side, so x = -0 gives pi, never -pi).
    if (z > 0) roll = roll < 0 ? -java::lang::Math::PI - roll : java::lang::Math::PI - roll;
    const int64_t now = java::lang::System::currentTimeMillis();
    std::lock_guard guard(feedLock);
    last = Reading{pitch, roll, now, ++serials};
    sampleJustSet = true;
}

bool TiltFeed::pending(Reading& reading) {
    std::lock_guard guard(feedLock);
    if (!sampleJustSet) return false;
    reading = last;
    return true;
}

void TiltFeed::consume(uint64_t serial) {
    std::lock_guard guard(feedLock);
    if (last.serial == serial) sampleJustSet = false;
}

void TiltFeed::reset() {
    std::lock_guard guard(feedLock);
    last = Reading{};
    sampleJustSet = false;
}

}  // namespace javax::microedition::sensor

void setTilt(float x, float y, float z) { javax::microedition::sensor::TiltFeed::put(x, y, z); }
