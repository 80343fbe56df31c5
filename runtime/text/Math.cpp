#include "runtime/text/Math.h"

#include <cmath>
#include <limits>

namespace java::lang {

namespace {

// Valid on [-pi/4, pi/4], where the first dropped terms stay below 4e-6.
double sineSeries(double x) {
    const double x2 = x * x;
    return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42)));
}
double cosineSeries(double x) {
    const double x2 = x * x;
    return 1 - x2 / 2 * (1 - x2 / 12 * (1 - x2 / 30));
}

// The angle reduced to [-pi/4, pi/4] plus the quarter turns (0 to 3) taken off it.
struct Reduced {
    double angle;
    int quarter;
};

Reduced reduce(double radians) {
    const double turn = 2 * Math::PI;
    const double withinTurn = radians - turn * std::nearbyint(radians / turn);  // [-pi, pi]
    const double quarters = std::nearbyint(withinTurn / (Math::PI / 2));        // -2 .. 2
    const int quarter = (static_cast<int>(quarters) + 4) % 4;
    return {withinTurn - quarters * (Math::PI / 2), quarter};
}

}  // namespace

double Math::sin(double radians) {
    if (!std::isfinite(radians)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced r = reduce(radians);
    switch (r.quarter) {
        case 0: return sineSeries(r.angle);
        case 1: return cosineSeries(r.angle);
        case 2: return -sineSeries(r.angle);
        default: return -cosineSeries(r.angle);
    }
}

double Math::cos(double radians) {
    if (!std::isfinite(radians)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced r = reduce(radians);
    switch (r.quarter) {
        case 0: return cosineSeries(r.angle);
        case 1: return -sineSeries(r.angle);
        case 2: return -cosineSeries(r.angle);
        default: return sineSeries(r.angle);
    }
}

// Newton's iteration from x/2. Waiting for two equal successive values can cycle for ever
// between two neighbouring doubles, so it stops as soon as an estimate fails to go down:
// after the first step every estimate lies above the root, and a strictly falling sequence
// of doubles must end.
double Math::sqrt(double value) {
    if (std::isnan(value) || value < 0) return std::numeric_limits<double>::quiet_NaN();
    if (value == 0 || std::isinf(value)) return value;
    double estimate = value / 2;
    if (estimate == 0) estimate = value;  // the smallest denormal halves to zero
    estimate = (value / estimate + estimate) / 2;
    for (;;) {
        const double next = (value / estimate + estimate) / 2;
        if (!(next < estimate)) return estimate;
        estimate = next;
    }
}

}  // namespace java::lang
