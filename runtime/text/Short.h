// The boxed 16-bit integer.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Short : public Object {
    JAVA_CLASS(Short, "java.lang.Short", Object)
public:
    static constexpr short MIN_VALUE = INT16_MIN;
    static constexpr short MAX_VALUE = INT16_MAX;

    explicit Short(short value) : m_value(value) {}

    short shortValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return m_value; }
    JavaPtr<String> toString() override;

private:
    short m_value;
};

}  // namespace java::lang
