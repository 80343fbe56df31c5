// Writes encoded strings (one or two bytes per character, optional hyphenation guides) and the
// language files that hold them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

struct HyphenationGuide {
    int32_t position;  // a line may break before this character
    int32_t type;      // 0: a hyphen is shown when the break is taken
    bool operator==(const HyphenationGuide&) const = default;
};

// bytesPerCharacter 0 picks 1 when every character is below 256, else 2.
std::vector<uint8_t> encodedString(const std::u16string& text, const std::vector<HyphenationGuide>& guides = {},
                                   int32_t bytesPerCharacter = 0);

// An empty entry stands for a missing string.
std::vector<uint8_t> languageFile(const std::vector<std::vector<uint8_t>>& entries);

}  // namespace writers
