// The boxed char, with the case mapping and digit reading that the text and number classes share.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang {

class Character : public Object {
    JAVA_CLASS(Character, "java.lang.Character", Object)
public:
    static constexpr int32_t MIN_RADIX = 2;
    static constexpr int32_t MAX_RADIX = 36;

    explicit Character(jchar value) : m_value(value) {}

    jchar charValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return m_value; }
    JavaPtr<String> toString() override;

    // Case mapping covers ISO Latin-1; other units are returned unchanged.
    static jchar toUpperCase(jchar unit);
    static jchar toLowerCase(jchar unit);
    // The value of the unit as a digit of the radix ("0"-"9", then "A"-"Z" or "a"-"z"), or -1.
    static int32_t digit(jchar unit, int32_t radix);

private:
    jchar m_value;
};

}  // namespace java::lang
