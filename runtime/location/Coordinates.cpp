#include "runtime/location/Coordinates.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Math.h"

namespace javax::microedition::location {

using java::lang::IllegalArgumentException;
using java::lang::Math;

namespace {

constexpr double EQUATORIAL_RADIUS = 6378137.0;
constexpr double POLAR_RADIUS = 6356752.314245;
constexpr int32_t BISECTION_STEPS = 25;

// NaN passes, as the bounds are asked only whether the value lies beyond them.
bool latitudeOutOfRange(double latitude) { return latitude < -90 || latitude > 90; }
bool longitudeOutOfRange(double longitude) { return longitude < -180 || longitude >= 180; }

struct Point {
    double x, y, z, r;
};

Point onEllipsoid(Coordinates& point) {
    const double phi = Math::toRadians(point.getLatitude());
    const double lambda = Math::toRadians(point.getLongitude());
    Point p{};
    p.x = EQUATORIAL_RADIUS * Math::cos(phi) * Math::cos(lambda);
    p.y = EQUATORIAL_RADIUS * Math::cos(phi) * Math::sin(lambda);
    p.z = POLAR_RADIUS * Math::sin(phi);
    p.r = Math::sqrt(p.z * p.z + p.y * p.y + p.x * p.x);
    return p;
}

// The angle in [0, pi] whose cosine is c, by bisection on the runtime's cosine; a c just beyond
// [-1, 1] from rounding converges to an end.
double centralAngle(double c) {
    if (c == 1.0) return 0;
    if (c == -1.0) return Math::PI;
    double lo = 0, hi = Math::PI;
    for (int32_t n = 1; lo != hi; ++n) {
        const double mid = (lo + hi) * 0.5;
        const double m = Math::cos(mid);
        if (m == c) lo = hi = mid;
        else if (c < m) lo = mid;
        else hi = mid;
        if (n == BISECTION_STEPS) break;
    }
    return (lo + hi) * 0.5;
}

}  // namespace

Coordinates::Coordinates(double latitude, double longitude, float altitude) {
    if (latitudeOutOfRange(latitude) || longitudeOutOfRange(longitude)) throw IllegalArgumentException();
    m_latitude = latitude;
    m_longitude = longitude;
    m_altitude = altitude;
}

float Coordinates::azimuthTo(JavaPtr<Coordinates>) { return 0.0f; }

float Coordinates::distance(JavaPtr<Coordinates> to) {
    Coordinates& other = *to;
    const Point a = onEllipsoid(*this);
    const Point b = onEllipsoid(other);
    const double c = (a.z * b.z + a.y * b.y + a.x * b.x) / (a.r * b.r);
    return static_cast<float>(((a.r + b.r) * centralAngle(c)) * 0.5);
}

void Coordinates::setLatitude(double latitude) {
    if (latitudeOutOfRange(latitude)) throw IllegalArgumentException();
    m_latitude = latitude;
}

void Coordinates::setLongitude(double longitude) {
    if (longitudeOutOfRange(longitude)) throw IllegalArgumentException();
    m_longitude = longitude;
}

}  // namespace javax::microedition::location
