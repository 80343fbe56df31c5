#include "runtime/text/StringUtf8.h"

namespace java::lang::detail {

namespace {

constexpr char16_t replacement = 0xFFFD;

struct LeadByte {
    int continuations;      // bytes that must follow
    uint8_t secondLow;      // the allowed range of the first continuation byte, which rules out
    uint8_t secondHigh;     // overlong forms, surrogates and code points above U+10FFFF
};

// Returns false for bytes that can never start a sequence (continuations, C0, C1, F5-FF).
bool classify(uint8_t lead, LeadByte& info) {
    if (lead >= 0xC2 && lead <= 0xDF) info = {1, 0x80, 0xBF};
    else if (lead == 0xE0) info = {2, 0xA0, 0xBF};
    else if (lead == 0xED) info = {2, 0x80, 0x9F};
    else if (lead >= 0xE1 && lead <= 0xEF) info = {2, 0x80, 0xBF};
    else if (lead == 0xF0) info = {3, 0x90, 0xBF};
    else if (lead >= 0xF1 && lead <= 0xF3) info = {3, 0x80, 0xBF};
    else if (lead == 0xF4) info = {3, 0x80, 0x8F};
    else return false;
    return true;
}

}  // namespace

int32_t decodeUtf8(std::span<const uint8_t> bytes, char16_t* out) {
    const size_t size = bytes.size();
    int32_t count = 0;
    size_t i = 0;
    while (i < size) {
        const uint8_t lead = bytes[i++];
        if (lead < 0x80) {
            out[count++] = lead;
            continue;
        }
        LeadByte info{};
        if (!classify(lead, info)) {
            out[count++] = replacement;
            continue;
        }
        uint32_t codePoint = lead & (0x3F >> info.continuations);
        bool complete = true;
        for (int k = 0; k < info.continuations; ++k) {
            const uint8_t low = k == 0 ? info.secondLow : 0x80;
            const uint8_t high = k == 0 ? info.secondHigh : 0xBF;
            if (i >= size || bytes[i] < low || bytes[i] > high) {
                complete = false;
                break;
            }
            codePoint = (codePoint << 6) | (bytes[i++] & 0x3F);
        }
        if (!complete) {
            out[count++] = replacement;
        } else if (codePoint > 0xFFFF) {
            codePoint -= 0x10000;
            out[count++] = static_cast<char16_t>(0xD800 | (codePoint >> 10));
            out[count++] = static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
        } else {
            out[count++] = static_cast<char16_t>(codePoint);
        }
    }
    return count;
}

}  // namespace java::lang::detail
