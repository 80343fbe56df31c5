#include "runtime/text/Calendar.h"

#include <algorithm>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/text/CalendarImpl.h"
#include "runtime/text/Date.h"
#include "runtime/text/TimeZone.h"

namespace java::util {

using java::lang::jnew;

namespace {

void checkField(int32_t field) {
    switch (field) {
        case Calendar::YEAR:
        case Calendar::MONTH:
        case Calendar::DAY_OF_MONTH:
        case Calendar::DAY_OF_WEEK:
        case Calendar::AM_PM:
        case Calendar::HOUR:
        case Calendar::HOUR_OF_DAY:
        case Calendar::MINUTE:
        case Calendar::SECOND:
        case Calendar::MILLISECOND:
            return;
        default:
            throw java::lang::IllegalArgumentException("unknown calendar field");
    }
}

}  // namespace

Calendar::Calendar(JavaPtr<TimeZone> zone) : m_zone(std::move(zone)) {}

JavaPtr<Calendar> Calendar::getInstance() {
    JavaPtr<Calendar> calendar = jnew<CalendarImpl>(TimeZone::getDefault());
    calendar->setTimeInMillis(java::lang::System::currentTimeMillis());
    calendar->completeFields();
    return calendar;
}

void Calendar::completeFields() {
    if (!m_fieldsPending) return;
    computeFields();
    m_fieldsPending = false;
}

// Computing the fields again afterwards normalises rolled-over values and DAY_OF_WEEK.
void Calendar::completeTime() {
    if (!m_timePending) return;
    computeTime();
    m_timePending = false;
    m_fieldsPending = true;
}

int32_t Calendar::get(int32_t field) {
    checkField(field);
    completeTime();
    completeFields();
    return m_fields[field];
}

void Calendar::set(int32_t field, int32_t value) {
    checkField(field);
    completeFields();  // a field set after setTime adjusts that time, not a stale one
    m_fields[field] = value;
    if (field == HOUR_OF_DAY) {
        m_fields[AM_PM] = value >= 12 ? 1 : 0;
        m_fields[HOUR] = value % 12;
    } else if (field == HOUR || field == AM_PM) {
        // Two ints of any size: the sum is formed in 64 bits and clamped to keep it an int.
        const long long hourOfDay = static_cast<long long>(m_fields[AM_PM]) * 12 + m_fields[HOUR];
        m_fields[HOUR_OF_DAY] = static_cast<int32_t>(std::clamp<long long>(hourOfDay, INT32_MIN, INT32_MAX));
    }
    m_timePending = true;
}

JavaPtr<Date> Calendar::getTime() { return jnew<Date>(getTimeInMillis()); }

void Calendar::setTime(const JavaPtr<Date>& date) { setTimeInMillis(date->getTime()); }

long long Calendar::getTimeInMillis() {
    completeTime();
    return m_time;
}

void Calendar::setTimeInMillis(long long millis) {
    m_time = millis;
    m_timePending = false;
    m_fieldsPending = true;
}

}  // namespace java::util
