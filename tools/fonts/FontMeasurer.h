// Advances and line height of one face at one pixel size, as the bitmap font's tables hold them:
// whole pixels per character, the hinted advance that the glyph rasteriser also uses.
#pragma once

#include <string_view>
#include <unordered_map>

namespace fonts {

class FontMeasurer {
public:
    // Throws std::runtime_error when the face cannot be opened or sized.
    FontMeasurer(const char* facePath, int pixelSize);
    ~FontMeasurer();
    FontMeasurer(const FontMeasurer&) = delete;
    FontMeasurer& operator=(const FontMeasurer&) = delete;

    // 0 for a character the face has no glyph for, as the runtime measures a missing glyph.
    int advance(char32_t c);
    // Sum of the advances of the UTF-8 text's characters.
    int width(std::string_view utf8);
    // Ascender to descender, rounded up: the height of a glyph cell.
    int lineHeight() const { return m_lineHeight; }
    int pixelSize() const { return m_pixelSize; }

private:
    struct FreeType;
    FreeType* m_freeType;
    int m_pixelSize;
    int m_lineHeight = 0;
    int m_asciiAdvances[128];  // -1 until measured
    std::unordered_map<char32_t, int> m_otherAdvances;
};

}  // namespace fonts
