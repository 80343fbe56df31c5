// The proleptic Gregorian calendar behind Calendar::getInstance.
#pragma once

#include <cstdint>

#include "runtime/text/Calendar.h"

namespace java::util {

class CalendarImpl : public Calendar {
    JAVA_CLASS(CalendarImpl, "java.util.CalendarImpl", Calendar)
public:
    explicit CalendarImpl(JavaPtr<TimeZone> zone) : Calendar(std::move(zone)) {}

    // Days of the 0-based month; IllegalArgumentException for a month outside 0..11.
    static int32_t daysInMonth(int32_t month, int32_t year);
    static bool isLeapYear(long long year);

protected:
    void computeTime() override;
    void computeFields() override;
};

}  // namespace java::util
