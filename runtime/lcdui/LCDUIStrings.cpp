#include "runtime/lcdui/LCDUIStrings.h"

#include <array>

#include "runtime/text/String.h"

namespace {

constexpr std::array<const char*, 12> monthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> weekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> otherWords = {"Date", "Time", "Menu", "Cancel", "Select", "Save", "Dismiss"};

// Abbreviations are the first three characters of the full name.
JavaPtr<java::lang::String> firstThree(const char* name) {
    auto full = java::lang::jnew<java::lang::String>(name);
    return java::lang::jnew<java::lang::String>(full->units(), 3);
}

}  // namespace

JavaPtr<java::lang::String> LCDUI_stringsGet(int32_t index) {
    if (index < 0) return nullptr;
    if (index < LCDUI_STRINGS_MONTH_JANUARY_ABR) return java::lang::jnew<java::lang::String>(monthNames[index]);
    if (index < LCDUI_STRINGS_WEEK_SUNDAY) return firstThree(monthNames[index - LCDUI_STRINGS_MONTH_JANUARY_ABR]);
    if (index < LCDUI_STRINGS_WEEK_SUNDAY_ABR)
        return java::lang::jnew<java::lang::String>(weekdayNames[index - LCDUI_STRINGS_WEEK_SUNDAY]);
    if (index < LCDUI_STRINGS_DATE) return firstThree(weekdayNames[index - LCDUI_STRINGS_WEEK_SUNDAY_ABR]);
    if (index <= LCDUI_STRINGS_SOFTKEY_DISMISS) return java::lang::jnew<java::lang::String>(otherWords[index - LCDUI_STRINGS_DATE]);
    return nullptr;
}
