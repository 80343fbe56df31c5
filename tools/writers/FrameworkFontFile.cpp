#include "tools/writers/FrameworkFontFile.h"

#include <algorithm>

#include "tools/writers/BigEndian.h"
#include "tools/writers/ResourceBundle.h"

namespace writers {

std::vector<uint8_t> FrameworkFont::characterTable() const {
    std::vector<uint8_t> out;
    put16(out, static_cast<int64_t>(characters.size()));
    put8(out, spacing);
    put8(out, spaceWidth);
    for (const char16_t c : characters) put16(out, c);
    return out;
}

std::vector<uint8_t> FrameworkFont::advanceTable() const {
    std::vector<uint8_t> out;
    for (const int32_t advance : advances) put16(out, advance);
    return out;
}

EncodedImage FrameworkFont::glyphSheet() const {
    const int32_t count = static_cast<int32_t>(glyphs.size());
    EncodedImage sheet;
    sheet.cellsAcross = glyphsPerRow;
    sheet.cellsDown = std::max(1, (count + glyphsPerRow - 1) / glyphsPerRow);
    sheet.width = cellWidth * sheet.cellsAcross;
    sheet.height = cellHeight * sheet.cellsDown;
    sheet.paletteColours = std::max(2, inkLevels);
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0);
    for (int32_t g = 0; g < sheet.cellsAcross * sheet.cellsDown; ++g) {
        const int32_t left = (g % glyphsPerRow) * cellWidth, top = (g / glyphsPerRow) * cellHeight;
        int32_t minX = cellWidth, minY = cellHeight, maxX = -1, maxY = -1;
        if (g < count)
            for (int32_t y = 0; y < cellHeight && y < static_cast<int32_t>(glyphs[g].size()); ++y)
                for (int32_t x = 0; x < cellWidth && x < static_cast<int32_t>(glyphs[g][y].size()); ++x) {
                    const int32_t level = levelOf(glyphs[g][y][x]);
                    if (level == 0) continue;
                    sheet.pixels[static_cast<size_t>(top + y) * sheet.width + left + x] = static_cast<uint32_t>(level);
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        if (maxX < 0) {
            sheet.cells.push_back({left, top, 0, 0});
        } else {
            sheet.cells.push_back({left + minX, top + minY, maxX - minX + 1, maxY - minY + 1});
        }
    }
    return sheet;
}

int32_t FrameworkFont::levelOf(char pixel) const {
    const int32_t full = std::max(2, inkLevels) - 1;
    int32_t level = 0;
    if (pixel == '#') level = full;
    if (pixel >= '1' && pixel <= '9') level = pixel - '0';
    if (pixel >= 'a' && pixel <= 'z') level = pixel - 'a' + 10;
    return std::min(level, full);
}

int32_t FrameworkFont::addTo(ResourceBundle& bundle, int32_t block) const {
    const int32_t id = bundle.addResource(block, characterTable());
    bundle.addResource(block, advanceTable());
    bundle.addResource(block, glyphSheet().bytes());
    std::vector<uint32_t> palette;
    const uint32_t full = static_cast<uint32_t>(std::max(2, inkLevels) - 1), alpha = ink >> 24;
    for (uint32_t level = 0; level <= full; ++level)
        palette.push_back(((alpha * level + full / 2) / full) << 24 | (ink & 0xFFFFFFu));
    bundle.addResource(block, paletteFile(palette));
    return id;
}

}  // namespace writers
