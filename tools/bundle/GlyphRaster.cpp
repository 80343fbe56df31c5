#include "tools/bundle/GlyphRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

#include "tools/fonts/FontMeasurer.h"

namespace bundle {

namespace {

// The quiz's fonts are anti-aliased in 16 levels: 4-bit glyph sheets.
constexpr int kFrameworkInkLevels = 16;

char levelMark(int level) { return static_cast<char>(level < 10 ? '0' + level : 'a' + level - 10); }

}  // namespace

struct GlyphRaster::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

GlyphRaster::GlyphRaster(const char* facePath, int pixelSize) : m_freeType(new FreeType) {
    if (FT_Init_FreeType(&m_freeType->library) != 0) {
        delete m_freeType;
        throw std::runtime_error("FreeType could not be started");
    }
    if (FT_New_Face(m_freeType->library, facePath, 0, &m_freeType->face) != 0 ||
        FT_Set_Pixel_Sizes(m_freeType->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        FT_Done_FreeType(m_freeType->library);
        delete m_freeType;
        throw std::runtime_error(std::string("cannot open the font face ") + facePath);
    }
    m_ascender = static_cast<int>((m_freeType->face->size->metrics.ascender + 63) >> 6);
}

GlyphRaster::~GlyphRaster() {
    FT_Done_Face(m_freeType->face);
    FT_Done_FreeType(m_freeType->library);
    delete m_freeType;
}

bool GlyphRaster::covers(char32_t c) const { return FT_Get_Char_Index(m_freeType->face, c) != 0; }

GlyphRaster::Glyph GlyphRaster::render(char32_t c) const {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(m_freeType->face, c);
    if (index == 0 || FT_Load_Glyph(m_freeType->face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
    const FT_GlyphSlot slot = m_freeType->face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = row[x];
    }
    return glyph;
}

std::u32string missingCharacters(const char* facePath, const std::u32string& characters) {
    GlyphRaster raster(facePath, 16);
    std::u32string missing;
    for (char32_t c : characters)
        if (!raster.covers(c)) missing += c;
    return missing;
}

writers::FrameworkFont frameworkFont(const char* facePath, int pixelSize, const std::u32string& characters,
                                     uint32_t ink) {
    GlyphRaster raster(facePath, pixelSize);
    fonts::FontMeasurer measurer(facePath, pixelSize);
    writers::FrameworkFont font;
    font.ink = ink;
    font.inkLevels = kFrameworkInkLevels;
    font.cellHeight = measurer.lineHeight();
    font.spaceWidth = measurer.advance(U' ');
    std::vector<GlyphRaster::Glyph> glyphs;
    int cellWidth = 1;
    for (char32_t c : characters) {
        if (c == U' ') continue;  // drawn as the space width, never as a glyph
        if (c > 0xFFFF) throw std::runtime_error("a bitmap font holds characters of 16 bits only");
        glyphs.push_back(raster.render(c));
        font.characters += static_cast<char16_t>(c);
        font.advances.push_back(measurer.advance(c));
        cellWidth = std::max({cellWidth, glyphs.back().left + glyphs.back().width, font.advances.back()});
    }
    font.cellWidth = cellWidth;
    font.glyphsPerRow = 16;
    for (const GlyphRaster::Glyph& glyph : glyphs) {
        std::vector<std::string> rows(static_cast<size_t>(font.cellHeight), std::string(static_cast<size_t>(cellWidth), '.'));
        for (int y = 0; y < glyph.rows; ++y) {
            const int cellY = raster.ascender() - glyph.top + y;
            if (cellY < 0 || cellY >= font.cellHeight) continue;
            for (int x = 0; x < glyph.width; ++x) {
                const int cellX = glyph.left + x;
                if (cellX < 0 || cellX >= cellWidth) continue;
                const int level = (glyph.coverage[static_cast<size_t>(y) * glyph.width + x] * (kFrameworkInkLevels - 1) + 127) / 255;
                if (level > 0) rows[cellY][cellX] = level == kFrameworkInkLevels - 1 ? '#' : levelMark(level);
            }
        }
        font.glyphs.push_back(std::move(rows));
    }
    return font;
}

writers::RuntimeFont runtimeFont(const char* facePath, int pixelSize) {
    GlyphRaster raster(facePath, pixelSize);
    fonts::FontMeasurer measurer(facePath, pixelSize);
    writers::RuntimeFont font;
    font.eightBit = true;
    font.cellHeight = measurer.lineHeight();
    // Every glyph is followed by one blank column when drawn, so the space is one narrower.
    font.spaceWord = static_cast<uint16_t>(std::max(1, measurer.advance(U' ') - 1));
    int cellWidth = 1;
    for (char32_t c = 0x21; c <= 0xFF; ++c) {
        if ((c >= 0x7F && c <= 0xA0) || c == 0xAD || !raster.covers(c)) continue;
        const GlyphRaster::Glyph glyph = raster.render(c);
        // The glyph box spans the advance less the blank column, so that text keeps the face's spacing.
        const int shift = std::max(0, -glyph.left);
        const int width = std::min(32, std::max(glyph.advance - 1, glyph.left + shift + glyph.width));
        writers::RuntimeFontGlyph out{static_cast<char16_t>(c), 0, {}};
        const int top = std::max(0, raster.ascender() - glyph.top);
        const int bottom = std::min(font.cellHeight, raster.ascender() - glyph.top + glyph.rows);
        out.yOffset = top;
        for (int cellY = top; cellY < bottom; ++cellY) {
            std::string row(static_cast<size_t>(width), '.');
            const int y = cellY - (raster.ascender() - glyph.top);
            for (int x = 0; x < glyph.width; ++x) {
                const int column = glyph.left + shift + x;
                if (column < 0 || column >= width) continue;
                const uint8_t v = glyph.coverage[static_cast<size_t>(y) * glyph.width + x];
                if (v >= 170) {
                    row[column] = '#';
                } else if (v >= 60) {
                    row[column] = '+';
                }
            }
            out.rows.push_back(std::move(row));
        }
        if (out.rows.empty()) out.rows.push_back(std::string(static_cast<size_t>(width), '.'));
        cellWidth = std::max(cellWidth, width);
        font.glyphs.push_back(std::move(out));
    }
    font.cellWidth = cellWidth;
    font.glyphsPerRow = 16;
    return font;
}

}  // namespace bundle
