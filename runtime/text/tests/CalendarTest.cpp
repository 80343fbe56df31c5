#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/Calendar.h"
#include "runtime/text/CalendarImpl.h"
#include "runtime/text/Date.h"
#include "runtime/text/String.h"
#include "runtime/text/TimeZone.h"

using namespace java::util;
using java::lang::jnew;
namespace clocks = java::lang::clocks;

namespace {

constexpr int64_t fixedNow = 1276609530000;  // 2010-06-15 13:45:30 UTC, a Tuesday

class CalendarTest : public testing::Test {
protected:
    void SetUp() override { useZone("UTC"); clocks::setWallSource([] { return fixedNow; }); }
    void TearDown() override { clocks::setWallSource(nullptr); }
    static void useZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
};

struct Ymd {
    int year, month, day;
    bool operator==(const Ymd&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Ymd& d) {
        return out << d.year << "/" << d.month << "/" << d.day;
    }
};

Ymd dateOf(const JavaPtr<Calendar>& calendar) {
    return {calendar->get(Calendar::YEAR), calendar->get(Calendar::MONTH), calendar->get(Calendar::DAY_OF_MONTH)};
}

void setDate(const JavaPtr<Calendar>& calendar, Ymd date) {
    calendar->set(Calendar::DAY_OF_MONTH, date.day);
    calendar->set(Calendar::MONTH, date.month);
    calendar->set(Calendar::YEAR, date.year);
}

}  // namespace

TEST_F(CalendarTest, InstanceHoldsTheCurrentTimeInTheDefaultZone) {
    auto calendar = Calendar::getInstance();
    EXPECT_EQ(calendar->getTimeInMillis(), fixedNow);
    EXPECT_EQ(dateOf(calendar), (Ymd{2010, 5, 15}));
    EXPECT_EQ(calendar->get(Calendar::DAY_OF_WEEK), 3);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 13);
    EXPECT_EQ(calendar->get(Calendar::SECOND), 30);
    EXPECT_EQ(jnew<Date>()->getTime(), fixedNow);
}

TEST_F(CalendarTest, WeekdayOfTheFirstOfAMonth) {
    struct Case {
        int year, month, weekday;
    };
    const Case cases[] = {{2024, 0, 2}, {2000, 1, 3}, {1970, 0, 5}, {2023, 9, 1},
                          {1900, 0, 2}, {2100, 2, 2}, {1600, 2, 4}, {1, 0, 2}};
    auto calendar = Calendar::getInstance();
    for (const Case& c : cases) {
        setDate(calendar, {c.year, c.month, 1});
        EXPECT_EQ(calendar->get(Calendar::DAY_OF_WEEK), c.weekday) << c.year << "-" << c.month + 1;
    }
}

TEST_F(CalendarTest, LeapYearsFollowTheGregorianRule) {
    struct Case {
        int year, february;
    };
    const Case cases[] = {{2000, 29}, {2100, 28}, {1900, 28}, {2024, 29}, {2023, 28}, {1600, 29}};
    for (const Case& c : cases)
        EXPECT_EQ(CalendarImpl::daysInMonth(1, c.year), c.february) << c.year;
    EXPECT_EQ(CalendarImpl::daysInMonth(11, 2023), 31);
    EXPECT_EQ(CalendarImpl::daysInMonth(3, 2023), 30);
    EXPECT_THROW(CalendarImpl::daysInMonth(12, 2023), java::lang::IllegalArgumentException);
}

TEST_F(CalendarTest, DaysAndMonthsOutOfRangeRollOver) {
    struct Case {
        Ymd set;
        Ymd expected;
    };
    const Case cases[] = {
        {{2023, 2, 0}, {2023, 1, 28}},  {{2024, 2, 0}, {2024, 1, 29}},  {{2023, 0, 32}, {2023, 1, 1}},
        {{2023, 0, 0}, {2022, 11, 31}}, {{2023, 11, 32}, {2024, 0, 1}}, {{2023, 12, 1}, {2024, 0, 1}},
        {{2023, -1, 1}, {2022, 11, 1}}, {{2023, 3, 31}, {2023, 4, 1}},  {{2100, 1, 29}, {2100, 2, 1}},
    };
    auto calendar = Calendar::getInstance();
    for (const Case& c : cases) {
        setDate(calendar, c.set);
        EXPECT_EQ(dateOf(calendar), c.expected) << c.set;
    }
}

TEST_F(CalendarTest, HourOfDayAndTwelveHourFieldsMoveTogether) {
    struct Case {
        int hourOfDay, hour, amPm;
    };
    auto calendar = Calendar::getInstance();
    for (const Case c : {Case{0, 0, 0}, Case{11, 11, 0}, Case{12, 0, 1}, Case{23, 11, 1}}) {
        calendar->set(Calendar::HOUR_OF_DAY, c.hourOfDay);
        EXPECT_EQ(calendar->get(Calendar::HOUR), c.hour) << c.hourOfDay;
        EXPECT_EQ(calendar->get(Calendar::AM_PM), c.amPm) << c.hourOfDay;
    }
    calendar->set(Calendar::HOUR_OF_DAY, 15);
    calendar->set(Calendar::HOUR, 4);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 16);
    calendar->set(Calendar::AM_PM, 0);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 4);
    calendar->set(Calendar::HOUR_OF_DAY, 25);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 1);
    EXPECT_EQ(calendar->get(Calendar::DAY_OF_MONTH), 16);
}

TEST_F(CalendarTest, TimeFollowsTheFieldsAndFieldsFollowTheTime) {
    auto calendar = Calendar::getInstance();
    setDate(calendar, {2000, 0, 1});
    for (int field : {Calendar::HOUR_OF_DAY, Calendar::MINUTE, Calendar::SECOND, Calendar::MILLISECOND})
        calendar->set(field, 0);
    EXPECT_EQ(calendar->getTime()->getTime(), 946684800000LL);

    calendar->setTime(jnew<Date>(0));
    calendar->set(Calendar::YEAR, 1971);  // adjusts the new time, not the old fields
    EXPECT_EQ(calendar->getTimeInMillis(), 365LL * 86400000);
    calendar->setTime(jnew<Date>(-1));
    EXPECT_EQ(dateOf(calendar).year, 1969);
    EXPECT_EQ(calendar->get(Calendar::MILLISECOND), 999);
    EXPECT_THROW(calendar->get(0), java::lang::IllegalArgumentException);
    EXPECT_THROW(calendar->set(15, 1), java::lang::IllegalArgumentException);
}

TEST_F(CalendarTest, ExtremeValuesGiveErrorsNotOverflow) {
    auto calendar = Calendar::getInstance();
    for (long long millis : {INT64_MAX, INT64_MIN}) {
        calendar->setTimeInMillis(millis);
        EXPECT_EQ(calendar->getTimeInMillis(), millis);
        calendar->get(Calendar::YEAR);
    }
    calendar->set(Calendar::YEAR, INT32_MAX);
    EXPECT_THROW(calendar->getTimeInMillis(), java::lang::IllegalArgumentException);
}

TEST_F(CalendarTest, DefaultZoneComesFromTheSystem) {
    useZone("EST5");
    auto zone = TimeZone::getDefault();
    EXPECT_EQ(zone->getRawOffset(), -5 * 3600000);
    EXPECT_EQ(zone->getID()->view(), u"EST5");
    auto calendar = Calendar::getInstance();
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), 8);
    calendar->set(Calendar::HOUR_OF_DAY, 20);
    EXPECT_EQ(calendar->getTimeInMillis(), fixedNow + 12 * 3600000LL);
    useZone("UTC");
    EXPECT_EQ(TimeZone::getDefault()->getRawOffset(), 0);
}
