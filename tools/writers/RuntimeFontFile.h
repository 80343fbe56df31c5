// Writes the runtime's bitmap font file "wlbmpfnt", in its 4-bit or its marked 8-bit form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

struct RuntimeFontGlyph {
    char16_t code;
    int32_t yOffset;                 // inside its cell
    std::vector<std::string> rows;   // '#' full, '+' half (the 8-bit form only), anything else empty
};

struct RuntimeFont {
    bool eightBit = false;  // marked form, version 0, value bits 8; else the plain 4-bit form
    int32_t cellWidth = 6;
    int32_t cellHeight = 8;
    int32_t glyphsPerRow = 2;
    uint16_t spaceWord = 3;
    std::vector<RuntimeFontGlyph> glyphs;

    int32_t glyphRows() const { return (static_cast<int32_t>(glyphs.size()) + glyphsPerRow - 1) / glyphsPerRow; }

    // The file's bytes: header, glyph table, run-length atlas, then the character codes.
    std::vector<uint8_t> bytes() const;
};

}  // namespace writers
