#include "runtime/io/Utf8.h"

#include "runtime/text/String.h"
#include "runtime/text/StringUtf8.h"
#include "runtime/text/Utf8Append.h"

namespace java::io {

using java::lang::detail::appendUtf8;
using java::lang::jnew;

std::string toUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

JavaPtr<java::lang::String> stringFromUtf8(std::string_view bytes) {
    // The String decoder's rules: each ill-formed sequence gives one U+FFFD.
    std::u16string units(bytes.size(), u'\0');
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const int32_t count = java::lang::detail::decodeUtf8({data, bytes.size()}, units.data());
    return jnew<java::lang::String>(units.data(), count);
}

}  // namespace java::io
