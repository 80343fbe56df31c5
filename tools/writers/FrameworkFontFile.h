// Writes one of the framework's bitmap fonts as its four consecutive resources: the character table,
// the advance table, the glyph sheet (an encoded image with one cropped cell per glyph) and its palette.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/EncodedImageFile.h"

namespace writers {

class ResourceBundle;

struct FrameworkFont {
    std::u16string characters;             // glyph k draws characters[k]
    std::vector<int32_t> advances;         // per glyph, before the spacing
    // Per glyph, cellHeight rows of cellWidth: '#' is full ink, '1' to '9' and 'a' onwards the partial
    // levels 1, 2... of an anti-aliased font, anything else no ink.
    std::vector<std::vector<std::string>> glyphs;
    int32_t spaceWidth = 4;
    int32_t spacing = 0;                   // signed, added to every width
    int32_t cellWidth = 8;
    int32_t cellHeight = 10;
    int32_t glyphsPerRow = 8;
    uint32_t ink = 0xFFFFFFFFu;
    // Ink levels from none to full (2: one-bit glyphs); the palette fades the ink's alpha across them.
    int32_t inkLevels = 2;

    // The glyph sheet's palette index of a glyph pixel.
    int32_t levelOf(char pixel) const;

    std::vector<uint8_t> characterTable() const;
    std::vector<uint8_t> advanceTable() const;
    EncodedImage glyphSheet() const;
    // Adds the four resources to the block; returns the id of the character table.
    int32_t addTo(ResourceBundle& bundle, int32_t block) const;
};

}  // namespace writers
