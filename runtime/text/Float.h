// The boxed single-precision number and its bit-pattern conversions.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Float : public Object {
    JAVA_CLASS(Float, "java.lang.Float", Object)
public:
    explicit Float(float value) : m_value(value) {}

    float floatValue() const { return m_value; }
    // Equal when the bit patterns are, so NaN equals NaN and 0.0 differs from -0.0.
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return floatToIntBits(m_value); }
    JavaPtr<String> toString() override;

    // Every NaN gives the one canonical pattern 0x7fc00000.
    static int32_t floatToIntBits(float value);
    static float intBitsToFloat(int32_t bits);

private:
    float m_value;
};

}  // namespace java::lang
