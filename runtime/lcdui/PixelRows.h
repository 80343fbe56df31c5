// Whole rows of pixel words blended at once: four pixels to a step with SSE2 (eight with AVX2),
// with results equal bit for bit to blendPixel and coverPixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace javax::microedition::lcdui {

// out[i] = blendPixel(out[i], in[i]) for count pixels; the rows must not overlap.
void blendRow(uint32_t* out, const uint32_t* in, int32_t count);

// out[i] = coverPixel(out[i], colour, coverage[i]) for count pixels. Groups of four may reach up to
// span pixels (at least count): the coverage there must be readable and zero, leaving those pixels as they are.
void coverRow(uint32_t* out, uint32_t colour, const uint8_t* coverage, int32_t count, int32_t span);
inline void coverRow(uint32_t* out, uint32_t colour, const uint8_t* coverage, int32_t count) {
    coverRow(out, colour, coverage, count, count);
}

// coverRow for rows of a block: out rows outStride apart, coverage rows coverageStride apart.
void coverRows(uint32_t* out, ptrdiff_t outStride, uint32_t colour, const uint8_t* coverage,
               ptrdiff_t coverageStride, int32_t count, int32_t span, int32_t rows);

// A block of rows to cover: out, an offset from the blocks' origin, and coverage at its first row.
struct CoverBlock {
    ptrdiff_t out;
    const uint8_t* coverage;
    int32_t rows;
};
// coverRows for each block in turn (the glyphs of a line of text), all width pixels wide, their
// out rows outStride apart and coverage rows width apart; width is a multiple of four.
void coverBlocks(uint32_t* origin, std::span<const CoverBlock> blocks, ptrdiff_t outStride, uint32_t colour,
                 int32_t width);

}  // namespace javax::microedition::lcdui
