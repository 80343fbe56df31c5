#include "runtime/text/FloatingText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "runtime/text/String.h"

namespace java::lang::detail {

JavaPtr<String> floatingText(double value, bool singlePrecision) {
    if (std::isnan(value)) return jnew<String>("NaN");
    if (std::isinf(value)) return jnew<String>(value > 0 ? "Infinity" : "-Infinity");
    if (value == 0) return jnew<String>(std::signbit(value) ? "-0.0" : "0.0");

    // Shortest round-trip digits in scientific form, "d.ddde±x", then laid out again.
    char buffer[64];
    char* const end = buffer + sizeof buffer;
    constexpr auto format = std::chars_format::scientific;
    const auto written = singlePrecision ? std::to_chars(buffer, end, static_cast<float>(value), format)
                                         : std::to_chars(buffer, end, value, format);
    const std::string scientific(buffer, written.ptr);
    const size_t exponentAt = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + exponentAt + 1);
    std::string digits;
    for (size_t i = 0; i < exponentAt; ++i)
        if (scientific[i] >= '0' && scientific[i] <= '9') digits += scientific[i];

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -3 && exponent < 7) {
        if (exponent < 0) {
            text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() < whole) digits.append(whole - digits.size(), '0');
            const std::string fraction = digits.substr(whole);
            text += digits.substr(0, whole) + "." + (fraction.empty() ? "0" : fraction);
        }
    } else {
        const std::string fraction = digits.size() > 1 ? digits.substr(1) : "0";
        text += digits.substr(0, 1) + "." + fraction + "E" + std::to_string(exponent);
    }
    const std::u16string units(text.begin(), text.end());
    return jnew<String>(units.data(), static_cast<int32_t>(units.size()));
}

}  // namespace java::lang::detail
