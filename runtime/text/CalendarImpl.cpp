#include "runtime/text/CalendarImpl.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/TimeZone.h"

namespace java::util {

namespace {

constexpr long long millisPerDay = 86400000;
constexpr int32_t monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
long long floorMod(long long a, long long b) {
    const long long remainder = a % b;  // not a - floorDiv(a, b) * b, which overflows near the ends of the range
    return remainder != 0 && (remainder < 0) != (b < 0) ? remainder + b : remainder;
}

// Leap days in the years 1 to `year` (counting back for negative years).
long long leapDaysThrough(long long year) { return floorDiv(year, 4) - floorDiv(year, 100) + floorDiv(year, 400); }

// Days from 1970-01-01 to the first of January of the year; 477 leap days fall in 1..1969.
long long daysBeforeYear(long long year) { return 365 * (year - 1970) + leapDaysThrough(year - 1) - 477; }

int32_t monthLength(int32_t month, long long year) {
    return month == 1 && CalendarImpl::isLeapYear(year) ? 29 : monthDays[month];
}

void throwOutOfRange() { throw java::lang::IllegalArgumentException("calendar fields out of range"); }

}  // namespace

bool CalendarImpl::isLeapYear(long long year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int32_t CalendarImpl::daysInMonth(int32_t month, int32_t year) {
    if (month < 0 || month > 11) throw java::lang::IllegalArgumentException("month out of range");
    return monthLength(month, year);
}

void CalendarImpl::computeTime() {
    const long long year = m_fields[YEAR] + floorDiv(m_fields[MONTH], 12);
    const auto month = static_cast<int32_t>(floorMod(m_fields[MONTH], 12));
    long long days = daysBeforeYear(year) + m_fields[DAY_OF_MONTH] - 1;
    for (int32_t m = 0; m < month; ++m) days += monthLength(m, year);
    // Each clock field fits easily once widened; only the day count can push past 64 bits.
    const long long clockMillis = static_cast<long long>(m_fields[HOUR_OF_DAY]) * 3600000 +
                                  static_cast<long long>(m_fields[MINUTE]) * 60000 +
                                  static_cast<long long>(m_fields[SECOND]) * 1000 + m_fields[MILLISECOND] -
                                  m_zone->getRawOffset();
    long long time = 0;
    if (__builtin_mul_overflow(days, millisPerDay, &time) || __builtin_add_overflow(time, clockMillis, &time))
        throwOutOfRange();
    m_time = time;
}

void CalendarImpl::computeFields() {
    // Split before adding the offset, so that no instant overflows.
    long long days = floorDiv(m_time, millisPerDay);
    long long millisOfDay = floorMod(m_time, millisPerDay) + m_zone->getRawOffset();
    days += floorDiv(millisOfDay, millisPerDay);
    millisOfDay = floorMod(millisOfDay, millisPerDay);

    long long year = 1970 + floorDiv(days * 400, 146097);  // 146097 days in 400 years
    while (daysBeforeYear(year) > days) --year;
    while (daysBeforeYear(year + 1) <= days) ++year;
    auto dayOfYear = static_cast<int32_t>(days - daysBeforeYear(year));
    int32_t month = 0;
    while (dayOfYear >= monthLength(month, year)) dayOfYear -= monthLength(month++, year);

    const auto hourOfDay = static_cast<int32_t>(millisOfDay / 3600000);
    m_fields[YEAR] = static_cast<int32_t>(year);
    m_fields[MONTH] = month;
    m_fields[DAY_OF_MONTH] = dayOfYear + 1;
    m_fields[DAY_OF_WEEK] = static_cast<int32_t>(floorMod(days + 4, 7)) + 1;  // 1970-01-01 was a Thursday
    m_fields[HOUR_OF_DAY] = hourOfDay;
    m_fields[AM_PM] = hourOfDay >= 12 ? 1 : 0;
    m_fields[HOUR] = hourOfDay % 12;
    m_fields[MINUTE] = static_cast<int32_t>(millisOfDay / 60000 % 60);
    m_fields[SECOND] = static_cast<int32_t>(millisOfDay / 1000 % 60);
    m_fields[MILLISECOND] = static_cast<int32_t>(millisOfDay % 1000);
}

}  // namespace java::util
