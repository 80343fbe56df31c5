// PNG decoding with libpng into pixel words: every colour type and depth becomes 8-bit RGBA rows,
// interlaced pictures through libpng's own pass handling. Errors come back by long jump.
#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/ImageDecoders.h"

namespace javax::microedition::lcdui::imagedecoders {

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void readFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    // A picture cut short inside the given range is an error, never a read past it.
    if (count > reader->size - reader->position) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// Jumps back to the setjmp without printing (libpng would print if this returned).
[[noreturn]] void ignoreError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// Deflate cannot expand more than about 1032 to 1, so far less data than that cannot hold the picture.
constexpr uint64_t MAX_INFLATE_RATIO = 1032;

struct DecodeState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    uint32_t* pixels = nullptr;
    std::vector<uint8_t> indices;
};

// Palette pictures are read as one index byte per pixel and looked up here, because libpng's own
// expansion turns an index past the palette into black instead of refusing it.
void lookUpPalette(png_structp png, png_infop info, const std::vector<uint8_t>& indices, uint32_t* pixels) {
    png_colorp palette = nullptr;
    int paletteSize = 0;
    png_get_PLTE(png, info, &palette, &paletteSize);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
    auto* out = reinterpret_cast<uint8_t*>(pixels);
    for (const uint8_t index : indices) {
        if (index >= paletteSize) png_error(png, "palette index past the palette");
        *out++ = palette[index].red;
        *out++ = palette[index].green;
        *out++ = palette[index].blue;
        *out++ = index < alphaCount ? alphas[index] : 0xFF;
    }
}

}  // namespace

uint32_t* decodePNG(std::span<const uint8_t> bytes, int32_t& width, int32_t& height, PngSums sums) {
    width = 0;
    height = 0;
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return nullptr;
    MemoryReader reader{bytes.data(), bytes.size(), 0};
    DecodeState state;
    // Reached through a pointer so that the values written after setjmp survive the long jump.
    DecodeState* volatile live = &state;
    live->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ignoreError, ignoreWarning);
    if (!live->png) return nullptr;
    live->info = png_create_info_struct(live->png);
    if (!live->info) {
        png_destroy_read_struct(&live->png, nullptr, nullptr);
        return nullptr;
    }
    if (setjmp(png_jmpbuf(live->png))) {
        png_destroy_read_struct(&live->png, &live->info, nullptr);
        std::free(live->pixels);
        return nullptr;
    }
    png_structp png = live->png;
    png_infop info = live->info;
    png_set_user_limits(png, Image::MAX_SIDE, Image::MAX_SIDE);
    png_set_read_fn(png, &reader, readFromMemory);
    if (sums == PngSums::TRUSTED) {
        // The sums of a file built a moment ago would only be computed to be thrown away.
        png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
        png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    }
    png_read_info(png, info);

    png_uint_32 pngWidth = 0, pngHeight = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &pngWidth, &pngHeight, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    const uint64_t pixelCount = static_cast<uint64_t>(pngWidth) * pngHeight;
    if (pngWidth == 0 || pngHeight == 0 || pixelCount > static_cast<uint64_t>(MAX_DECODED_PIXELS))
        png_error(png, "too large");
    const uint64_t rawBytes = pngHeight * (png_get_rowbytes(png, info) + 1);
    if (rawBytes / MAX_INFLATE_RATIO > bytes.size()) png_error(png, "too little data");

    const bool paletted = colourType == PNG_COLOR_TYPE_PALETTE;
    png_set_strip_16(png);
    png_set_packing(png);
    if (!paletted) {
        if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_expand(png);
        if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t bytesPerPixel = paletted ? 1 : 4;
    if (png_get_rowbytes(png, info) != static_cast<size_t>(pngWidth) * bytesPerPixel)
        png_error(png, "unexpected row format");

    live->pixels = static_cast<uint32_t*>(std::malloc(pixelCount * 4));
    if (!live->pixels) png_error(png, "out of memory");
    uint32_t* pixels = live->pixels;
    if (paletted) live->indices.resize(pixelCount);
    uint8_t* rows = paletted ? live->indices.data() : reinterpret_cast<uint8_t*>(pixels);
    // Each pass refines the same full rows; libpng keeps what earlier passes put there.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 row = 0; row < pngHeight; ++row)
            png_read_row(png, rows + static_cast<size_t>(row) * pngWidth * bytesPerPixel, nullptr);
    }
    png_read_end(png, nullptr);
    if (paletted) lookUpPalette(png, info, live->indices, pixels);
    png_destroy_read_struct(&live->png, &live->info, nullptr);

    // Rows arrive as bytes R, G, B, A: already pixel words on a little-endian machine.
    if constexpr (std::endian::native == std::endian::big) {
        for (uint64_t i = 0; i < pixelCount; ++i) pixels[i] = __builtin_bswap32(pixels[i]);
    }
    width = static_cast<int32_t>(pngWidth);
    height = static_cast<int32_t>(pngHeight);
    return pixels;
}

}  // namespace javax::microedition::lcdui::imagedecoders
