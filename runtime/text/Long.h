// The boxed 64-bit integer and the lenient text reading that Integer builds on.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Long : public Object {
    JAVA_CLASS(Long, "java.lang.Long", Object)
public:
    static constexpr long long MIN_VALUE = INT64_MIN;
    static constexpr long long MAX_VALUE = INT64_MAX;

    explicit Long(long long value) : m_value(value) {}

    long long longValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override;
    JavaPtr<String> toString() override;

    static long long parseLong(const JavaPtr<String>& text) { return parseLong(text, 10); }
    // Reads leniently: an optional leading "-", then digits of the radix up to the first unit that
    // is not one (the rest is ignored, "" gives 0). A null text, a radix outside 2..36 or a value
    // outside the 64-bit range throws NumberFormatException.
    static long long parseLong(const JavaPtr<String>& text, int32_t radix);

private:
    long long m_value;
};

}  // namespace java::lang
