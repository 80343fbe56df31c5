// The smallest and largest value a channel reports, and the step between values.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::sensor {

class MeasurementRange : public java::lang::Object {
    JAVA_CLASS(MeasurementRange, "javax.microedition.sensor.MeasurementRange", java::lang::Object)
public:
    MeasurementRange(double smallest, double largest, double resolution)
        : m_smallest(smallest), m_largest(largest), m_resolution(resolution) {}

    virtual double getLargestValue() { return m_largest; }
    virtual double getResolution() { return m_resolution; }
    virtual double getSmallestValue() { return m_smallest; }

private:
    double m_smallest;
    double m_largest;
    double m_resolution;
};

}  // namespace javax::microedition::sensor
