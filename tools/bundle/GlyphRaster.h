// Rasterises the DejaVu faces with FreeType into the bundle's two bitmap font formats: the quiz's
// framework fonts (one-bit glyph sheets with advance tables) and the runtime's "wlbmpfnt".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/FrameworkFontFile.h"
#include "tools/writers/RuntimeFontFile.h"

namespace bundle {

class GlyphRaster {
public:
    // Throws std::runtime_error when the face cannot be opened or sized.
    GlyphRaster(const char* facePath, int pixelSize);
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    bool covers(char32_t c) const;
    int ascender() const { return m_ascender; }

    struct Glyph {
        int left = 0, top = 0;  // of the bitmap, from the pen position on the baseline (top upwards)
        int width = 0, rows = 0;
        int advance = 0;
        std::vector<uint8_t> coverage;  // width x rows, 0 to 255
    };
    // mono: hinted for one-bit output, each pixel 0 or 255.
    Glyph render(char32_t c, bool mono) const;

private:
    struct FreeType;
    FreeType* m_freeType;
    int m_ascender = 0;
};

// The characters the face lacks, in order; empty when it covers them all.
std::u32string missingCharacters(const char* facePath, const std::u32string& characters);

// A framework font of the characters: advances and cell height as the quiz's text fitting measures
// them (fonts::FontMeasurer of the same face and size), one-bit glyphs in dark ink.
writers::FrameworkFont frameworkFont(const char* facePath, int pixelSize, const std::u32string& characters,
                                     uint32_t ink);

// The runtime's font of the printable ASCII and Latin-1 characters, anti-aliased in three levels.
writers::RuntimeFont runtimeFont(const char* facePath, int pixelSize);

}  // namespace bundle
