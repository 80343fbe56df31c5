// The boxed signed 8-bit integer.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Byte : public Object {
    JAVA_CLASS(Byte, "java.lang.Byte", Object)
public:
    static constexpr signed char MIN_VALUE = INT8_MIN;
    static constexpr signed char MAX_VALUE = INT8_MAX;

    explicit Byte(signed char value) : m_value(value) {}

    signed char byteValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return m_value; }
    JavaPtr<String> toString() override;

private:
    signed char m_value;
};

}  // namespace java::lang
