#include "tools/writers/EncodedStringFile.h"

#include <algorithm>

#include "tools/writers/BigEndian.h"

namespace writers {

std::vector<uint8_t> encodedString(const std::u16string& text, const std::vector<HyphenationGuide>& guides,
                                   int32_t bytesPerCharacter) {
    if (bytesPerCharacter == 0)
        bytesPerCharacter = std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 256; }) ? 1 : 2;
    std::vector<uint8_t> out;
    put8(out, bytesPerCharacter | (guides.empty() ? 0 : 4));
    put16(out, static_cast<int64_t>(text.size()));
    if (!guides.empty()) put16(out, static_cast<int64_t>(guides.size()));
    for (const char16_t c : text) {
        if (bytesPerCharacter == 1) {
            put8(out, c);
        } else {
            put16(out, c);
        }
    }
    for (const HyphenationGuide& guide : guides) {
        if (text.size() <= 255) {
            put8(out, guide.position);
        } else {
            put16(out, guide.position);
        }
        put8(out, guide.type);
    }
    return out;
}

std::vector<uint8_t> languageFile(const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> out;
    put16(out, static_cast<int64_t>(entries.size()));
    for (const std::vector<uint8_t>& entry : entries) {
        if (entry.empty()) {
            out.push_back(0);
        } else {
            out.insert(out.end(), entry.begin(), entry.end());
        }
    }
    return out;
}

}  // namespace writers
