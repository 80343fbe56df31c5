#include "runtime/connections/HttpDate.h"

#include <optional>

#include "runtime/text/CalendarImpl.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"
#include "runtime/text/TimeZone.h"

namespace javax::microedition::io {

using java::lang::Integer;
using java::lang::jnew;
using java::lang::String;
using java::util::Calendar;

namespace {

constexpr const char* MONTHS[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The text before the first separator, leaving rest the text after it; nothing when absent.
std::optional<JavaPtr<String>> takeUntil(JavaPtr<String>& rest, char16_t separator) {
    const int32_t at = rest->indexOf(separator);
    if (at < 0) return std::nullopt;
    JavaPtr<String> before = rest->substring(0, at);
    rest = rest->substring(at + 1);
    return before;
}

int32_t monthIndex(const JavaPtr<String>& name) {
    for (int32_t month = 0; month < 12; ++month)
        if (name->equalsIgnoreCase(jnew<String>(MONTHS[month]))) return month;
    return -1;
}

struct Fields {
    int32_t year = 0;
    int32_t month = -1;
    int32_t day = 0;
    JavaPtr<String> time;
};

std::optional<Fields> readDate(JavaPtr<String> rest, bool rfc1123, bool rfc850) {
    Fields fields;
    if (rfc1123 || rfc850) {
        const auto day = takeUntil(rest, rfc1123 ? u' ' : u'-');
        if (!day) return std::nullopt;
        const auto month = takeUntil(rest, rfc1123 ? u' ' : u'-');
        if (!month) return std::nullopt;
        const auto year = takeUntil(rest, u' ');
        if (!year) return std::nullopt;
        fields.day = Integer::parseInt(*day);
        fields.month = monthIndex(*month);
        fields.year = Integer::parseInt(*year);
        if (rfc850) fields.year += fields.year <= 69 ? 2000 : 1900;
        fields.time = rest;
        return fields;
    }
    const auto month = takeUntil(rest, u' ');
    if (!month) return std::nullopt;
    while (rest->length() > 0 && rest->charAt(0) == u' ') rest = rest->substring(1);
    const auto day = takeUntil(rest, u' ');
    if (!day) return std::nullopt;
    const int32_t lastSpace = rest->lastIndexOf(u' ');
    if (lastSpace < 0) return std::nullopt;
    fields.month = monthIndex(*month);
    fields.day = Integer::parseInt(*day);
    fields.year = Integer::parseInt(rest->substring(lastSpace + 1));
    fields.time = rest->substring(0, lastSpace);
    return fields;
}

}  // namespace

int64_t parseHttpDate(const JavaPtr<String>& value, int64_t defaultValue) {
    if (!value) return defaultValue;
    JavaPtr<String> rest = value;
    const bool hasZone = rest->indexOf(jnew<String>(" GMT")) >= 0;
    const bool rfc1123 = hasZone && rest->indexOf(u' ') == 4;
    const bool rfc850 = hasZone && !rfc1123;
    if (hasZone) rest = rest->substring(0, rest->length() - 4);
    if (!takeUntil(rest, u' ')) return defaultValue;

    const std::optional<Fields> date = readDate(rest, rfc1123, rfc850);
    if (!date || date->month < 0) return defaultValue;
    JavaPtr<String> time = date->time;
    const auto hour = takeUntil(time, u':');
    if (!hour) return defaultValue;
    const auto minute = takeUntil(time, u':');
    if (!minute) return defaultValue;

    // A calendar of our own in GMT at the epoch, so neither the machine's zone nor the current
    // milliseconds reach the result.
    JavaPtr<Calendar> calendar = jnew<java::util::CalendarImpl>(jnew<java::util::TimeZone>(jnew<String>("GMT"), 0));
    calendar->setTimeInMillis(0);
    calendar->set(Calendar::YEAR, date->year);
    calendar->set(Calendar::MONTH, date->month);
    calendar->set(Calendar::DAY_OF_MONTH, date->day);
    calendar->set(Calendar::HOUR_OF_DAY, Integer::parseInt(*hour));
    calendar->set(Calendar::MINUTE, Integer::parseInt(*minute));
    calendar->set(Calendar::SECOND, Integer::parseInt(time));
    return calendar->getTimeInMillis();
}

}  // namespace javax::microedition::io
