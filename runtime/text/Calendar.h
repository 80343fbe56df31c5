// A point in time seen as date and clock fields in a time zone. Fields and time are kept
// lazily in step: setting a field defers computing the time, setting the time defers
// computing the fields.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::util {

class Date;
class TimeZone;

class Calendar : public java::lang::Object {
    JAVA_CLASS(Calendar, "java.util.Calendar", java::lang::Object)
public:
    static constexpr int32_t YEAR = 1;
    static constexpr int32_t MONTH = 2;  // 0 = January
    static constexpr int32_t DAY_OF_MONTH = 5;
    static constexpr int32_t DAY_OF_WEEK = 7;  // 1 = Sunday ... 7 = Saturday
    static constexpr int32_t AM_PM = 9;
    static constexpr int32_t HOUR = 10;  // 0-11
    static constexpr int32_t HOUR_OF_DAY = 11;
    static constexpr int32_t MINUTE = 12;
    static constexpr int32_t SECOND = 13;
    static constexpr int32_t MILLISECOND = 14;
    static constexpr int32_t FIELD_COUNT = 15;

    // A Gregorian calendar in the default time zone holding the current time.
    static JavaPtr<Calendar> getInstance();

    // A field number this calendar does not keep throws IllegalArgumentException.
    int32_t get(int32_t field);
    // Setting HOUR_OF_DAY also sets HOUR and AM_PM, and either of those sets HOUR_OF_DAY.
    // Values out of their usual range roll over into the neighbouring units when the time is computed.
    void set(int32_t field, int32_t value);

    JavaPtr<Date> getTime();
    void setTime(const JavaPtr<Date>& date);
    long long getTimeInMillis();
    void setTimeInMillis(long long millis);
    JavaPtr<TimeZone> getTimeZone() const { return m_zone; }

protected:
    explicit Calendar(JavaPtr<TimeZone> zone);

    // Fills m_time from the fields, and every field from m_time.
    virtual void computeTime() = 0;
    virtual void computeFields() = 0;

    int32_t m_fields[FIELD_COUNT] = {};
    long long m_time = 0;
    JavaPtr<TimeZone> m_zone;

private:
    void completeFields();
    void completeTime();

    bool m_fieldsPending = true;  // the time was set; the fields follow when next read or set
    bool m_timePending = false;    // a field was set; the time follows when next read
};

}  // namespace java::util
