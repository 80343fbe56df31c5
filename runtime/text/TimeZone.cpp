#include "runtime/text/TimeZone.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "runtime/lang/Clocks.h"
#include "runtime/text/String.h"

namespace java::util {

using java::lang::jnew;
using java::lang::String;

TimeZone::TimeZone(JavaPtr<String> id, int32_t rawOffsetMillis) : m_id(std::move(id)), m_rawOffset(rawOffsetMillis) {}

JavaPtr<TimeZone> TimeZone::getDefault() {
    tzset();  // TZ may have changed since the last call
    const time_t now = static_cast<time_t>(java::lang::clocks::wallMillis() / 1000);
    tm local{};
    if (!localtime_r(&now, &local)) return jnew<TimeZone>(jnew<String>("GMT"), 0);
    const char* name = std::getenv("TZ");
    if (!name || !*name) name = local.tm_zone;
    if (!name || !*name) name = "GMT";
    const std::string_view text(name);
    const std::u16string units(text.begin(), text.end());
    return jnew<TimeZone>(jnew<String>(units.data(), static_cast<int32_t>(units.size())),
                          static_cast<int32_t>(local.tm_gmtoff * 1000));
}

}  // namespace java::util
