#include "tools/writers/DataStreamText.h"

#include <stdexcept>
#include <string>

#include "tools/fonts/Utf8Text.h"

namespace writers {

namespace {

void appendUnit(std::vector<uint8_t>& out, char32_t unit) {
    if (unit != 0 && unit < 0x80) {
        out.push_back(static_cast<uint8_t>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<uint8_t>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<uint8_t>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<uint8_t>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
    }
}

}  // namespace

void appendDataStreamText(std::vector<uint8_t>& out, std::string_view utf8) {
    std::vector<uint8_t> body;
    for (char32_t c : fonts::decodeUtf8(utf8)) {
        if (c < 0x10000) {
            appendUnit(body, c);
        } else {
            appendUnit(body, 0xD800 + ((c - 0x10000) >> 10));
            appendUnit(body, 0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    if (body.size() > 0xFFFF)
        throw std::length_error("text of " + std::to_string(body.size()) + " bytes is too long for a data-stream string");
    out.push_back(static_cast<uint8_t>(body.size() >> 8));
    out.push_back(static_cast<uint8_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

}  // namespace writers
