// The boxed 32-bit integer with its text reading and writing.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Integer : public Object {
    JAVA_CLASS(Integer, "java.lang.Integer", Object)
public:
    static constexpr int32_t MIN_VALUE = INT32_MIN;
    static constexpr int32_t MAX_VALUE = INT32_MAX;

    explicit Integer(int32_t value) : m_value(value) {}

    int32_t intValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return m_value; }
    JavaPtr<String> toString() override { return toString(m_value); }

    static int32_t parseInt(const JavaPtr<String>& text) { return parseInt(text, 10); }
    // Long::parseLong's reading; NumberFormatException for null text or a value outside the int range.
    static int32_t parseInt(const JavaPtr<String>& text, int32_t radix);
    static JavaPtr<String> toString(int32_t value);
    static JavaPtr<Integer> valueOf(const JavaPtr<String>& text) { return jnew<Integer>(parseInt(text)); }

private:
    int32_t m_value;
};

}  // namespace java::lang
