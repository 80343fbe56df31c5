#include "tools/fonts/Utf8Text.h"

#include "runtime/text/Utf8Append.h"

namespace fonts {

std::u32string decodeUtf8(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= bytes.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
        bool wellFormed = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) wellFormed = false;
            value = (value << 6) | (next & 0x3F);
        }
        if (!wellFormed) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(value);
        i += 1 + extra;
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) java::lang::detail::appendUtf8(out, c);
    return out;
}

}  // namespace fonts
