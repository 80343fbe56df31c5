// A time zone as a fixed offset from GMT with a name.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace java::util {

class TimeZone : public java::lang::Object {
    JAVA_CLASS(TimeZone, "java.util.TimeZone", java::lang::Object)
public:
    TimeZone(JavaPtr<java::lang::String> id, int32_t rawOffsetMillis);

    // The operating system's zone (TZ, else the system setting), with the offset it has now;
    // "GMT" with offset 0 when the system cannot tell.
    static JavaPtr<TimeZone> getDefault();

    JavaPtr<java::lang::String> getID() const { return m_id; }
    // Milliseconds to add to GMT to get local time.
    int32_t getRawOffset() const { return m_rawOffset; }

private:
    JavaPtr<java::lang::String> m_id;
    int32_t m_rawOffset;
};

}  // namespace java::util
