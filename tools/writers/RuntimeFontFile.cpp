#include "tools/writers/RuntimeFontFile.h"

namespace writers {

std::vector<uint8_t> RuntimeFont::bytes() const {
    std::vector<uint8_t> out;
    auto s16 = [&](int32_t v) {
        out.push_back(static_cast<uint8_t>(v >> 8));
        out.push_back(static_cast<uint8_t>(v));
    };
    if (eightBit) {
        out = {0xBD, 0, 0, 8, 0};
    } else {
        out = {0x00};
    }
    const int32_t atlasWidth = cellWidth * glyphsPerRow, atlasHeight = cellHeight * glyphRows();
    s16(atlasWidth);
    s16(atlasHeight);
    s16(glyphsPerRow);
    s16(glyphRows());
    std::vector<uint8_t> atlas(static_cast<size_t>(atlasWidth) * atlasHeight, 0);
    for (int32_t g = 0; g < glyphsPerRow * glyphRows(); ++g) {
        if (g >= static_cast<int32_t>(glyphs.size())) {
            s16(0), s16(0), s16(0), s16(0);
            continue;
        }
        const RuntimeFontGlyph& glyph = glyphs[g];
        const int32_t x = (g % glyphsPerRow) * cellWidth, y = (g / glyphsPerRow) * cellHeight + glyph.yOffset;
        const int32_t width = glyph.rows.empty() ? 0 : static_cast<int32_t>(glyph.rows[0].size());
        s16(x), s16(y), s16(width), s16(static_cast<int32_t>(glyph.rows.size()));
        for (size_t r = 0; r < glyph.rows.size(); ++r)
            for (int32_t c = 0; c < width; ++c) {
                const char p = glyph.rows[r][c];
                atlas[(y + r) * atlasWidth + x + c] = p == '#' ? (eightBit ? 255 : 15) : p == '+' ? 128 : 0;
            }
    }
    out.push_back(0);
    for (size_t i = 0; i < atlas.size();) {
        size_t run = 1;
        const size_t longest = eightBit ? 256 : 16;
        while (i + run < atlas.size() && atlas[i + run] == atlas[i] && run < longest) ++run;
        if (eightBit) {
            out.push_back(atlas[i]);
            out.push_back(static_cast<uint8_t>(run - 1));
        } else {
            out.push_back(static_cast<uint8_t>(atlas[i] << 4 | (run - 1)));
        }
        i += run;
    }
    s16(static_cast<int32_t>(glyphs.size()));
    s16(spaceWord);
    for (const RuntimeFontGlyph& glyph : glyphs) s16(glyph.code);
    return out;
}

}  // namespace writers
