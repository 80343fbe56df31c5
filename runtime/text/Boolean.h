// The boxed truth value.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class Boolean : public Object {
    JAVA_CLASS(Boolean, "java.lang.Boolean", Object)
public:
    explicit Boolean(bool value) : m_value(value) {}

    bool booleanValue() const { return m_value; }
    bool equals(JavaPtr<Object> other) override;
    int32_t hashCode() override { return m_value ? 1231 : 1237; }
    JavaPtr<String> toString() override;

private:
    bool m_value;
};

}  // namespace java::lang
