// The words of the runtime's own screens (month and weekday names, date labels, soft-key captions),
// kept in one table so that a build can change the wording in one place.
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

constexpr int32_t LCDUI_STRINGS_MONTH_JANUARY = 0;
constexpr int32_t LCDUI_STRINGS_MONTH_FEBRUARY = 1;
constexpr int32_t LCDUI_STRINGS_MONTH_MARCH = 2;
constexpr int32_t LCDUI_STRINGS_MONTH_APRIL = 3;
constexpr int32_t LCDUI_STRINGS_MONTH_MAY = 4;
constexpr int32_t LCDUI_STRINGS_MONTH_JUNE = 5;
constexpr int32_t LCDUI_STRINGS_MONTH_JULY = 6;
constexpr int32_t LCDUI_STRINGS_MONTH_AUGUST = 7;
constexpr int32_t LCDUI_STRINGS_MONTH_SEPTEMBER = 8;
constexpr int32_t LCDUI_STRINGS_MONTH_OCTOBER = 9;
constexpr int32_t LCDUI_STRINGS_MONTH_NOVEMBER = 10;
constexpr int32_t LCDUI_STRINGS_MONTH_DECEMBER = 11;
constexpr int32_t LCDUI_STRINGS_MONTH_JANUARY_ABR = 12;
constexpr int32_t LCDUI_STRINGS_MONTH_FEBRUARY_ABR = 13;
constexpr int32_t LCDUI_STRINGS_MONTH_MARCH_ABR = 14;
constexpr int32_t LCDUI_STRINGS_MONTH_APRIL_ABR = 15;
constexpr int32_t LCDUI_STRINGS_MONTH_MAY_ABR = 16;
constexpr int32_t LCDUI_STRINGS_MONTH_JUNE_ABR = 17;
constexpr int32_t LCDUI_STRINGS_MONTH_JULY_ABR = 18;
constexpr int32_t LCDUI_STRINGS_MONTH_AUGUST_ABR = 19;
constexpr int32_t LCDUI_STRINGS_MONTH_SEPTEMBER_ABR = 20;
constexpr int32_t LCDUI_STRINGS_MONTH_OCTOBER_ABR = 21;
constexpr int32_t LCDUI_STRINGS_MONTH_NOVEMBER_ABR = 22;
constexpr int32_t LCDUI_STRINGS_MONTH_DECEMBER_ABR = 23;
constexpr int32_t LCDUI_STRINGS_WEEK_SUNDAY = 24;
constexpr int32_t LCDUI_STRINGS_WEEK_MONDAY = 25;
constexpr int32_t LCDUI_STRINGS_WEEK_TUESDAY = 26;
constexpr int32_t LCDUI_STRINGS_WEEK_WEDNESDAY = 27;
constexpr int32_t LCDUI_STRINGS_WEEK_THURSDAY = 28;
constexpr int32_t LCDUI_STRINGS_WEEK_FRIDAY = 29;
constexpr int32_t LCDUI_STRINGS_WEEK_SATURDAY = 30;
constexpr int32_t LCDUI_STRINGS_WEEK_SUNDAY_ABR = 31;
constexpr int32_t LCDUI_STRINGS_WEEK_MONDAY_ABR = 32;
constexpr int32_t LCDUI_STRINGS_WEEK_TUESDAY_ABR = 33;
constexpr int32_t LCDUI_STRINGS_WEEK_WEDNESDAY_ABR = 34;
constexpr int32_t LCDUI_STRINGS_WEEK_THURSDAY_ABR = 35;
constexpr int32_t LCDUI_STRINGS_WEEK_FRIDAY_ABR = 36;
constexpr int32_t LCDUI_STRINGS_WEEK_SATURDAY_ABR = 37;
constexpr int32_t LCDUI_STRINGS_DATE = 38;
constexpr int32_t LCDUI_STRINGS_TIME = 39;
constexpr int32_t LCDUI_STRINGS_SOFTKEY_MENU = 40;
constexpr int32_t LCDUI_STRINGS_SOFTKEY_CANCEL = 41;
constexpr int32_t LCDUI_STRINGS_SOFTKEY_SELECT = 42;
constexpr int32_t LCDUI_STRINGS_SOFTKEY_SAVE = 43;
constexpr int32_t LCDUI_STRINGS_SOFTKEY_DISMISS = 44;

// A new String with the table's text, or null for an index outside 0 to 44.
JavaPtr<java::lang::String> LCDUI_stringsGet(int32_t index);
