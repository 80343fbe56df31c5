// An instant in milliseconds since 1970-01-01 00:00 GMT.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::util {

class Date : public java::lang::Object {
    JAVA_CLASS(Date, "java.util.Date", java::lang::Object)
public:
    // The current time, from System::currentTimeMillis.
    Date();
    explicit Date(long long millis) : m_millis(millis) {}

    long long getTime() const { return m_millis; }

private:
    long long m_millis;
};

}  // namespace java::util
