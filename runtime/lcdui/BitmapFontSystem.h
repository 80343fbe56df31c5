// The runtime's one bitmap font: glyph tables loaded once from the "wlbmpfnt" bundle resource and
// read, never changed, by every thread that measures or draws text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "runtime/lang/JArray.h"

namespace javax::microedition::lcdui {

using java::lang::jchar;

// The font resource's name without the leading "/"; empty means there is no font.
inline const char* INTERNAL_BMP_FONT_RESNAME = "wlbmpfnt";

class BitmapFontSystem {
public:
    // The decoded font.
    struct Tables {
        int32_t m_fontHeight = 0;
        int32_t m_widestCharWidth = 0;
        int32_t m_bpp = 1;
        // The glyphs' rows as read, glyph g's from word g x fontHeight x bpp; empty after finish.
        std::vector<uint32_t> m_packedPixelData;
        std::vector<int32_t> m_charWidths;
        std::vector<int32_t> m_charYOffset;
        // Character code in the low 16 bits, glyph index in the high 16, sorted by code.
        std::vector<uint32_t> m_charToIndex;

        // The glyph and advance of each code below 256, which most text uses, found without a search.
        std::array<int32_t, 256> m_lowGlyphs{};
        std::array<int32_t, 256> m_lowAdvances{};

        // The glyph of a character, or -1 when the font lacks it.
        int32_t glyphFor(jchar c) const { return c < m_lowGlyphs.size() ? m_lowGlyphs[c] : searchGlyph(c); }
        int32_t searchGlyph(jchar c) const;
        // A character's advance: its glyph's width + 1, or 10 when the font lacks it.
        int32_t advance(jchar c) const {
            return c < m_lowAdvances.size() ? m_lowAdvances[c] : glyphAdvance(glyphFor(c));
        }
        int32_t glyphAdvance(int32_t glyph) const {
            return glyph < 0 ? 10 : m_charWidths[static_cast<size_t>(glyph)] + 1;
        }
        // Each glyph's coverage bytes (as rasterise gives them), its rows m_coverageStride apart, a
        // multiple of four, the bytes past the glyph's packed width zero: drawn four pixels at a time.
        std::vector<uint8_t> m_coverage;
        int32_t m_coverageStride = 0;
        // Per glyph, the first row with any coverage and the row after the last; equal when blank.
        std::vector<std::pair<int32_t, int32_t>> m_inkedRows;
        const uint8_t* coverageRow(int32_t glyph, int32_t row) const {
            return m_coverage.data() + (static_cast<size_t>(glyph) * m_fontHeight + row) * m_coverageStride;
        }
        // The rows of a line that any glyph inks, from m_inkTop to m_inkBottom below the line's top,
        // vertical offsets included; equal when no glyph has ink.
        int32_t m_inkTop = 0, m_inkBottom = 0;
        // No glyph is narrower than zero: the pen only moves right.
        bool m_advancesForward = true;
        // What drawing a character takes, in one place: the pen's move (11 past a character the font
        // lacks, which measures 10: missing is 1 then), the glyph's inked rows (top, below the line's
        // top, and how many) and where in m_coverage the first one starts.
        struct Ink {
            int32_t advance = 11, missing = 1, top = 0, rows = 0;
            size_t coverage = 0;
        };
        std::vector<Ink> m_glyphInk;
        std::array<Ink, 256> m_lowInk{};
        const Ink& ink(jchar c) const {
            static const Ink lacking;
            if (c < m_lowInk.size()) return m_lowInk[c];
            const int32_t glyph = searchGlyph(c);
            return glyph < 0 ? lacking : m_glyphInk[static_cast<size_t>(glyph)];
        }

        // Builds the low-code tables and the coverage rows once the reader has filled the rest;
        // the packed rows, read from the file, go then.
        void finish();
        // Width of the text: the sum of its characters' advances.
        int64_t measure(const jchar* units, int32_t count) const;
        // Coverage bytes of a glyph, width x fontHeight, row-major; out holds at least that many.
        void rasterise(int32_t glyph, uint8_t* out) const;
    };

    // Loads the font once; false when there is no name, the resource is missing, or it is not a valid font.
    static bool init();
    // Parses a font file; null when it is truncated or malformed. Used by init, tests and fuzzing.
    static std::shared_ptr<const Tables> parse(std::span<const uint8_t> bytes);
    // The loaded font, or null before init succeeds and after teardown.
    static std::shared_ptr<const Tables> tables();
    static bool isInitialised() { return tables() != nullptr; }
    static int32_t getFontIndex(int32_t code) { return 0; }
    // Teardown: the tables go, so text can no longer be drawn; a later init loads the font again.
    static void BitmapFontSystem_staticDestroy();
};

}  // namespace javax::microedition::lcdui
