// A geographic point: latitude and longitude in degrees and an altitude, with range-checked
// setters, the distance on the reference ellipsoid and the sexagesimal text forms.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::location {

class Coordinates : public java::lang::Object {
    JAVA_CLASS(Coordinates, "javax.microedition.location.Coordinates", java::lang::Object)
public:
    using String = java::lang::String;

    static constexpr int32_t DD_MM_SS = 1;
    static constexpr int32_t DD_MM = 2;

    // IllegalArgumentException when latitude lies outside [-90, 90] or longitude outside [-180, 180).
    Coordinates(double latitude, double longitude, float altitude);

    // Always 0.
    virtual float azimuthTo(JavaPtr<Coordinates> to);
    // Metres between the two points, from the mean of their distances from the centre times the
    // central angle. NullPointerException for a null point.
    virtual float distance(JavaPtr<Coordinates> to);
    virtual float getAltitude() { return m_altitude; }
    virtual double getLatitude() { return m_latitude; }
    virtual double getLongitude() { return m_longitude; }
    virtual void setAltitude(float altitude) { m_altitude = altitude; }
    // Both keep the old value and throw IllegalArgumentException for a value out of range.
    virtual void setLatitude(double latitude);
    virtual void setLongitude(double longitude);

    // "D:M.mmm" (DD_MM) or "D:M:S.sss" (DD_MM_SS), three digits after the point, each part of a
    // negative coordinate with its own minus sign. IllegalArgumentException for another type or a
    // coordinate outside [-180, 180).
    static JavaPtr<String> convert(double coordinate, int32_t outputType);
    // Reads either form back. NullPointerException for null, IllegalArgumentException without
    // ":", NumberFormatException for a part beyond the int range.
    static double convert(const JavaPtr<String>& coordinate);

private:
    double m_longitude = 0;
    double m_latitude = 0;
    float m_altitude = 0;
};

}  // namespace javax::microedition::location
