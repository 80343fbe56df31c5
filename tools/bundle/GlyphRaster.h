// Rasterises the DejaVu faces with FreeType into the bundle's two bitmap font formats: the quiz's
// framework fonts (anti-aliased glyph sheets with advance tables) and the runtime's "wlbmpfnt".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/FrameworkFontFile.h"
#include "tools/writers/RuntimeFontFile.h"

namespace bundle {

// The faces and sizes of the bundle's fonts besides the main font (tools/fonts/MainFont.h).
struct BundleFonts {
    // The quiz's numbers: the header count and the practice result, in layout units.
    static constexpr const char* numbersFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    static constexpr int numbersSize = 18;
    // The runtime's one font, in device pixels of the retina screen the runtime draws on.
    static constexpr const char* runtimeFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    static constexpr int runtimeSize = 22;
};

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
    // Anti-aliased with light hinting, which keeps the advances the measurer reads.
    Glyph render(char32_t c) const;

private:
    struct FreeType;
    FreeType* m_freeType;
    int m_ascender = 0;
};

// The characters the face lacks, in order; empty when it covers them all.
std::u32string missingCharacters(const char* facePath, const std::u32string& characters);

// A framework font of the characters: advances and cell height as the quiz's text fitting measures
// them (fonts::FontMeasurer of the same face and size), anti-aliased glyphs in the ink.
writers::FrameworkFont frameworkFont(const char* facePath, int pixelSize, const std::u32string& characters,
                                     uint32_t ink);

// The runtime's font of the printable ASCII and Latin-1 characters, anti-aliased in three levels.
writers::RuntimeFont runtimeFont(const char* facePath, int pixelSize);

}  // namespace bundle
