#include "tools/fonts/FontMeasurer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tools/fonts/Utf8Text.h"

namespace fonts {

struct FontMeasurer::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

FontMeasurer::FontMeasurer(const char* facePath, int pixelSize) : m_freeType(new FreeType), m_pixelSize(pixelSize) {
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
    const FT_Size_Metrics& metrics = m_freeType->face->size->metrics;
    std::fill(std::begin(m_asciiAdvances), std::end(m_asciiAdvances), -1);
    m_lineHeight = static_cast<int>((metrics.ascender - metrics.descender + 63) >> 6);
}

FontMeasurer::~FontMeasurer() {
    FT_Done_Face(m_freeType->face);
    FT_Done_FreeType(m_freeType->library);
    delete m_freeType;
}

int FontMeasurer::advance(char32_t c) {
    if (c < 128 && m_asciiAdvances[c] >= 0) return m_asciiAdvances[c];
    if (auto known = m_otherAdvances.find(c); known != m_otherAdvances.end()) return known->second;
    int value = 0;
    const FT_UInt glyph = FT_Get_Char_Index(m_freeType->face, c);
    if (glyph != 0 && FT_Load_Glyph(m_freeType->face, glyph, FT_LOAD_DEFAULT) == 0)
        value = static_cast<int>((m_freeType->face->glyph->advance.x + 32) >> 6);
    if (c < 128) {
        m_asciiAdvances[c] = value;
    } else {
        m_otherAdvances.emplace(c, value);
    }
    return value;
}

int FontMeasurer::width(std::string_view utf8) {
    int total = 0;
    for (char32_t c : decodeUtf8(utf8)) total += advance(c);
    return total;
}

}  // namespace fonts
