// The runtime's own maths: short series for sine and cosine, Newton's square root.
#pragma once

#include "runtime/lang/Object.h"

namespace java::lang {

class Math : public Object {
    JAVA_CLASS(Math, "java.lang.Math", Object)
public:
    static constexpr double PI = 3.141592653589793;

    // Within 4e-6 of the true value for every finite angle (exact reduction); NaN for NaN or infinity.
    static double sin(double radians);
    static double cos(double radians);
    // NaN for negative or NaN input, +infinity for +infinity, the input itself for either zero.
    static double sqrt(double value);
    static double toRadians(double degrees) { return degrees * PI / 180; }
};

}  // namespace java::lang
