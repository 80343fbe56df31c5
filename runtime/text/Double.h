// The boxed double-precision number and its bit-pattern conversions.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Double : public Object {
    JAVA_CLASS(Double, "java.lang.Double", Object)
public:
    explicit Double(double value) : m_value(value) {}

    double doubleValue() const { return m_value; }
    // Equal when the bit patterns are, so NaN equals NaN and 0.0 differs from -0.0.
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override;
    JavaPtr<String> toString() override;

    // Every NaN gives the one canonical pattern 0x7ff8000000000000.
    static long long doubleToLongBits(double value);
    static double longBitsToDouble(long long bits);

private:
    double m_value;
};

}  // namespace java::lang
