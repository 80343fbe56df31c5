#include "runtime/lcdui/PixelRows.h"

#include <cstring>

#include "runtime/lcdui/PixelWord.h"

// Vector code only where the compiler optimises: in unoptimised builds (those the sanitizers
// check threads and memory in) intrinsics cost more than the one-pixel loops they replace.
#if defined(__SSE2__) && defined(__OPTIMIZE__)
#define PIXEL_ROWS_IN_VECTORS 1
#include <immintrin.h>
#else
#define PIXEL_ROWS_IN_VECTORS 0
#endif

namespace javax::microedition::lcdui {

#if PIXEL_ROWS_IN_VECTORS
namespace {

__m128i load4(const uint32_t* pixels) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)); }
void store4(uint32_t* pixels, __m128i value) { _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value); }

// Four pixels moved toward s, each by its factor (0 to 256) in its 32-bit lane: every colour channel
// becomes (d * (256 - f) + s * f) >> 8, at most 255 * 256, so 16-bit lanes hold it without loss. The
// alpha channel keeps d's, except at 256, which takes all of s: its factor is f's 256 bit alone.
__m128i mix4(__m128i d, __m128i s, __m128i factor) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaLaneBit = _mm_set_epi16(0x100, -1, -1, -1, 0x100, -1, -1, -1);
    const __m128i pairs = _mm_or_si128(factor, _mm_slli_epi32(factor, 16));
    const auto half = [&](__m128i dHalf, __m128i sHalf, __m128i factorHalf) {
        const __m128i f = _mm_and_si128(factorHalf, alphaLaneBit);
        const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(256), f);
        return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(dHalf, keep), _mm_mullo_epi16(sHalf, f)), 8);
    };
    const __m128i low = half(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi32(pairs, pairs));
    const __m128i high = half(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi32(pairs, pairs));
    return _mm_packus_epi16(low, high);
}

// Where the mask is all ones, chosen; elsewhere, otherwise.
__m128i select(__m128i mask, __m128i chosen, __m128i otherwise) {
    return _mm_or_si128(_mm_and_si128(mask, chosen), _mm_andnot_si128(mask, otherwise));
}

// mix4's steps on pixels widened to 16-bit channels, eight pixels at a time with AVX2.
__attribute__((target("avx2"))) __m256i mixWide(__m256i d, __m256i s, __m256i factor) {
    const __m256i alphaLaneBit =
        _mm256_set_epi16(0x100, -1, -1, -1, 0x100, -1, -1, -1, 0x100, -1, -1, -1, 0x100, -1, -1, -1);
    const __m256i f = _mm256_and_si256(factor, alphaLaneBit);
    const __m256i keep = _mm256_sub_epi16(_mm256_set1_epi16(256), f);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(d, keep), _mm256_mullo_epi16(s, f)), 8);
}

// blendRow's groups of four, eight at a time with AVX2: the same steps on both 128-bit halves.
__attribute__((target("avx2"))) int32_t blendEights(uint32_t* out, const uint32_t* in, int32_t count) {
    const __m256i zero = _mm256_setzero_si256();
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + i));
        const __m256i a = _mm256_srli_epi32(s, 24);
        const __m256i factor =
            _mm256_add_epi32(_mm256_add_epi32(a, _mm256_set1_epi32(1)), _mm256_cmpeq_epi32(a, zero));
        const __m256i pairs = _mm256_or_si256(factor, _mm256_slli_epi32(factor, 16));
        const __m256i low = mixWide(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(s, zero),
                                    _mm256_unpacklo_epi32(pairs, pairs));
        const __m256i high = mixWide(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(s, zero),
                                     _mm256_unpackhi_epi32(pairs, pairs));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(low, high));
    }
    return i;
}

// Four pixels covered in the colour s. Coverage 0 leaves a pixel and 255 gives the colour, so a
// group of only those two is a select, taken without a branch on its pattern; any other value mixes.
void cover4(uint32_t* out, __m128i s, const uint8_t* coverage) {
    int32_t four;
    std::memcpy(&four, coverage, sizeof four);
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(four);
    const __m128i fullBytes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(-1));
    const __m128i d = load4(out);
    if ((_mm_movemask_epi8(_mm_or_si128(fullBytes, _mm_cmpeq_epi8(bytes, zero))) & 0xF) == 0xF) {
        const __m128i fullWords = _mm_unpacklo_epi8(fullBytes, fullBytes);
        store4(out, select(_mm_unpacklo_epi16(fullWords, fullWords), s, d));
        return;
    }
    // Coverage c mixes by c, but 255 takes all of the colour: factor 256.
    const __m128i coverage32 = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero);
    const __m128i full = _mm_cmpeq_epi32(coverage32, _mm_set1_epi32(255));
    store4(out, mix4(d, s, _mm_sub_epi32(coverage32, full)));
}

bool hasAVX2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// coverBlocks for blocks four pixels wide with AVX2: two rows to a step, a 128-bit lane each, with
// cover4's steps (a select where the coverage is only 0 and 255, else a mix).
__attribute__((target("avx2"))) void coverBlocksOfFour(uint32_t* origin, std::span<const CoverBlock> blocks,
                                                       ptrdiff_t outStride, uint32_t colour) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i s = _mm256_set1_epi32(static_cast<int32_t>(colour));
    const __m256i sLow = _mm256_unpacklo_epi8(s, zero), sHigh = _mm256_unpackhi_epi8(s, zero);
    for (const CoverBlock& block : blocks) {
        uint32_t* out = origin + block.out;
        const uint8_t* coverage = block.coverage;
        int32_t row = 0;
        for (; row + 2 <= block.rows; row += 2, out += 2 * outStride, coverage += 8) {
            uint32_t* const next = out + outStride;
            const __m256i d = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(next),
                                                  reinterpret_cast<const __m128i*>(out));
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage));
            const __m128i fullBytes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(-1));
            const int plain = _mm_movemask_epi8(_mm_or_si128(fullBytes, _mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
            __m256i result;
            if ((plain & 0xFF) == 0xFF) {
                result = _mm256_blendv_epi8(d, s, _mm256_cvtepi8_epi32(fullBytes));
            } else {
                const __m256i c = _mm256_cvtepu8_epi32(bytes);
                const __m256i factor = _mm256_sub_epi32(c, _mm256_cmpeq_epi32(c, _mm256_set1_epi32(255)));
                const __m256i pairs = _mm256_or_si256(factor, _mm256_slli_epi32(factor, 16));
                const __m256i low = mixWide(_mm256_unpacklo_epi8(d, zero), sLow, _mm256_unpacklo_epi32(pairs, pairs));
                const __m256i high = mixWide(_mm256_unpackhi_epi8(d, zero), sHigh, _mm256_unpackhi_epi32(pairs, pairs));
                result = _mm256_packus_epi16(low, high);
            }
            _mm256_storeu2_m128i(reinterpret_cast<__m128i*>(next), reinterpret_cast<__m128i*>(out), result);
        }
        if (row < block.rows) cover4(out, _mm256_castsi256_si128(s), coverage);
    }
}

}  // namespace
#endif

void blendRow(uint32_t* out, const uint32_t* in, int32_t count) {
    int32_t i = 0;
#if PIXEL_ROWS_IN_VECTORS
    if (hasAVX2()) i = blendEights(out, in, count);
    for (; i + 4 <= count; i += 4) {
        const __m128i s = load4(in + i), d = load4(out + i);
        const __m128i a = _mm_srli_epi32(s, 24);
        // a + (a != 0): a + 1, less one where a is 0; 256, all of s, where a is 255.
        const __m128i factor =
            _mm_add_epi32(_mm_add_epi32(a, _mm_set1_epi32(1)), _mm_cmpeq_epi32(a, _mm_setzero_si128()));
        store4(out + i, mix4(d, s, factor));
    }
#endif
    for (; i < count; ++i) out[i] = blendPixel(out[i], in[i]);
}

void coverRow(uint32_t* out, uint32_t colour, const uint8_t* coverage, int32_t count, int32_t span) {
    int32_t i = 0;
#if PIXEL_ROWS_IN_VECTORS
    const __m128i s = _mm_set1_epi32(static_cast<int32_t>(colour));
    for (; i < count && i + 4 <= span; i += 4) cover4(out + i, s, coverage + i);
#endif
    for (; i < count; ++i) out[i] = coverPixel(out[i], colour, coverage[i]);
}

void coverRows(uint32_t* out, ptrdiff_t outStride, uint32_t colour, const uint8_t* coverage,
               ptrdiff_t coverageStride, int32_t count, int32_t span, int32_t rows) {
#if PIXEL_ROWS_IN_VECTORS
    // The usual glyph: one group of four spans each row.
    if (count <= 4 && span >= 4) {
        const __m128i s = _mm_set1_epi32(static_cast<int32_t>(colour));
        for (int32_t row = 0; row < rows; ++row, out += outStride, coverage += coverageStride) cover4(out, s, coverage);
        return;
    }
#endif
    for (int32_t row = 0; row < rows; ++row, out += outStride, coverage += coverageStride)
        coverRow(out, colour, coverage, count, span);
}

void coverBlocks(uint32_t* origin, std::span<const CoverBlock> blocks, ptrdiff_t outStride, uint32_t colour,
                 int32_t width) {
#if PIXEL_ROWS_IN_VECTORS
    // The usual glyph: one group of four spans each row.
    if (width == 4 && hasAVX2()) {
        coverBlocksOfFour(origin, blocks, outStride, colour);
        return;
    }
    if (width == 4) {
        const __m128i s = _mm_set1_epi32(static_cast<int32_t>(colour));
        for (const CoverBlock& block : blocks) {
            uint32_t* out = origin + block.out;
            const uint8_t* coverage = block.coverage;
            for (int32_t row = 0; row < block.rows; ++row, out += outStride, coverage += 4) cover4(out, s, coverage);
        }
        return;
    }
#endif
    for (const CoverBlock& block : blocks)
        coverRows(origin + block.out, outStride, colour, block.coverage, width, width, width, block.rows);
}

}  // namespace javax::microedition::lcdui
