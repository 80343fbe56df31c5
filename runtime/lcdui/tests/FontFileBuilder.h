// Writes synthetic "wlbmpfnt" files in either form, and installs one as the runtime's font.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/BitmapFontSystem.h"

namespace lcduitest {

struct SyntheticGlyph {
    char16_t code;
    int32_t yOffset;                 // inside its cell
    std::vector<std::string> rows;   // '#' full, '+' half (the 8-bit form only), anything else empty
};

struct SyntheticFont {
    bool eightBit = false;  // marked form, version 0, value bits 8; else the plain 4-bit form
    int32_t cellWidth = 6;
    int32_t cellHeight = 8;
    int32_t glyphsPerRow = 2;
    uint16_t spaceWord = 3;
    std::vector<SyntheticGlyph> glyphs;

    int32_t glyphRows() const { return (static_cast<int32_t>(glyphs.size()) + glyphsPerRow - 1) / glyphsPerRow; }

    std::vector<uint8_t> bytes() const {
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
            const SyntheticGlyph& glyph = glyphs[g];
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
        for (const SyntheticGlyph& glyph : glyphs) s16(glyph.code);
        return out;
    }
};

inline SyntheticFont sampleFont(bool eightBit) {
    SyntheticFont font;
    font.eightBit = eightBit;
    font.glyphs = {
        {u'A', 1, {".##.", "#..#", "####", "#..#", "#..#"}},
        {u'B', 1, {"###.", "#..#", "###.", "#..#", "###."}},
        {u'b', 0, {"#..", "#..", "##.", "#.#", "##."}},
        {u'c', 3, {eightBit ? "+#" : "##", "#.", "##"}},
        {u'x', 3, {"#.#", ".#.", "#.#"}},
        {u'y', 4, {"#.#", "#.#", ".#.", "#..", "#.."}},
        {u'z', 3, {"###", ".#.", "###"}},
    };
    return font;
}

// Makes these bytes the bundle's font file and loads it as the runtime's font.
inline bool installFont(const std::vector<uint8_t>& bytes) {
    const auto bundle = std::filesystem::temp_directory_path() / ("lexivo-lcdui-font-" + std::to_string(::getpid()));
    std::filesystem::create_directories(bundle);
    std::ofstream(bundle / "wlbmpfnt", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    java::io::FileSystem::setDirectories(bundle.string(), (bundle / "documents").string());
    javax::microedition::lcdui::BitmapFontSystem::BitmapFontSystem_staticDestroy();
    javax::microedition::lcdui::INTERNAL_BMP_FONT_RESNAME = "wlbmpfnt";
    return javax::microedition::lcdui::BitmapFontSystem::init();
}

}  // namespace lcduitest
