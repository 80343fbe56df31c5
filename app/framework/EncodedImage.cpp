#include "app/framework/EncodedImage.h"

#include <algorithm>
#include <cstring>

#include "app/framework/BundleBytes.h"
#include "runtime/io/IOException.h"
#include "runtime/lcdui/Image.h"

using java::io::IOException;
using javax::microedition::lcdui::Image;

namespace {

void checkSize(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > Image::MAX_SIDE || height > Image::MAX_SIDE ||
        width * height > Image::MAX_PIXELS)
        throw IOException("encoded image size out of range");
}

// The pixel count and the bytes that follow the encoding byte.
struct Source {
    int64_t pixels;
    bool runLength;
    std::span<const uint8_t> bytes;
};

Source source(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t width, int32_t height) {
    checkSize(width, height);
    const BundleBytes all(BundleBytes::of(data));
    const int32_t encoding = all.u8(offset);
    return {int64_t{width} * height, encoding == EncodedImage::IMAGEFORMAT_RLE_ENCODED,
            all.slice(int64_t{offset} + 1, static_cast<int64_t>(all.size()) - offset - 1)};
}

[[noreturn]] void runsDoNotFit() { throw IOException("encoded image runs do not end at its last pixel"); }

}  // namespace

EncodedImage::Layout EncodedImage::classify(std::span<const uint8_t> bytes) {
    Layout layout;
    static constexpr uint8_t signature[] = {0x89, 'P', 'N', 'G'};
    if (bytes.size() >= 4 && std::equal(signature, signature + 4, bytes.begin())) return layout;
    const BundleBytes data(bytes);
    const uint8_t flags = data.u8(0);
    if (flags == 0) {
        layout.pixelOffset = 1;
        return layout;
    }
    layout.hasHeader = true;
    layout.format = std::min(flags & 3, IMAGEFORMAT_ENCODEDPIXELDATA_NOPALETTE);
    layout.fullColour = (flags & IMAGEFORMAT_FULLCOLOUR) != 0;
    layout.width = data.i16(1);
    layout.height = data.i16(3);
    checkSize(layout.width, layout.height);
    layout.pixelOffset = 5;
    if (!(flags & IMAGEFORMAT_CONTAINSCELLINFO)) return layout;

    layout.cellsAcross = data.i16(5);
    layout.cellsDown = data.i16(7);
    if (layout.cellsAcross < 1 || layout.cellsDown < 1 || layout.cellsAcross > layout.width ||
        layout.cellsDown > layout.height)
        throw IOException("encoded image cell grid out of range");
    const int64_t cells = int64_t{layout.cellsAcross} * layout.cellsDown;
    data.slice(9, 8 * cells);
    const int32_t cellWidth = layout.width / layout.cellsAcross, cellHeight = layout.height / layout.cellsDown;
    for (int64_t c = 0; c < cells; ++c) {
        const int64_t at = 9 + 8 * c;
        const int32_t x = data.i16(at), y = data.i16(at + 2), w = data.i16(at + 4), h = data.i16(at + 6);
        const int64_t left = (c % layout.cellsAcross) * cellWidth, top = (c / layout.cellsAcross) * cellHeight;
        // Drawing places a cell by its crop's offset inside the cell, so the crop must lie in it.
        if (w < 0 || h < 0 || x < left || y < top || x + w > left + cellWidth || y + h > top + cellHeight)
            throw IOException("encoded image cell crop lies outside its cell");
    }
    layout.cellTableLength = static_cast<int32_t>(4 + 8 * cells);
    layout.pixelOffset = 5 + layout.cellTableLength;
    return layout;
}

JavaPtr<JArray<signed char>> EncodedImage::decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                       int32_t width, int32_t height, int32_t colours) {
    if (colours < 1 || colours > 256) throw IOException("encoded image palette must hold 1 to 256 colours");
    const Source in = source(data, offset, width, height);
    const int32_t bpp = bitsPerIndex(colours);
    auto result = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(in.pixels));
    uint8_t* out = reinterpret_cast<uint8_t*>(result->data);
    const uint8_t* read = in.bytes.data();
    const size_t size = in.bytes.size();
    if (in.runLength) {
        int64_t written = 0;
        size_t pos = 0;
        const int32_t runBits = 8 - bpp;
        while (written < in.pixels) {
            uint32_t index, run;
            if (bpp == 8) {
                if (pos + 2 > size) runsDoNotFit();
                index = read[pos], run = read[pos + 1] + 1u;
                pos += 2;
            } else {
                if (pos + 1 > size) runsDoNotFit();
                index = read[pos] >> runBits, run = (read[pos] & ((1u << runBits) - 1)) + 1u;
                pos += 1;
            }
            if (index >= static_cast<uint32_t>(colours)) throw IOException("encoded image index outside its palette");
            if (run > in.pixels - written) runsDoNotFit();
            std::memset(out + written, static_cast<int>(index), run);
            written += run;
        }
        return result;
    }
    if (static_cast<uint64_t>(in.pixels) * bpp > size * 8) throw IOException("encoded image raw pixels end early");
    const uint32_t mask = (1u << bpp) - 1;
    for (int64_t k = 0; k < in.pixels; ++k) {
        const uint32_t index = (read[k * bpp / 8] >> (k * bpp % 8)) & mask;
        if (index >= static_cast<uint32_t>(colours)) throw IOException("encoded image index outside its palette");
        out[k] = static_cast<uint8_t>(index);
    }
    return result;
}

JavaPtr<JArray<signed char>> EncodedImage::decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                       int32_t width, int32_t height) {
    const Source in = source(data, offset, width, height);
    const int64_t total = in.pixels * 4;
    auto result = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(total));
    uint8_t* out = reinterpret_cast<uint8_t*>(result->data);
    const uint8_t* read = in.bytes.data();
    const size_t size = in.bytes.size();
    if (!in.runLength) {
        if (static_cast<uint64_t>(total) > size) throw IOException("encoded image raw pixels end early");
        std::memcpy(out, read, static_cast<size_t>(total));
        return result;
    }
    int64_t written = 0;
    for (size_t pos = 0; written < in.pixels; pos += 5) {
        if (pos + 5 > size) runsDoNotFit();
        const uint32_t run = read[pos + 4] + 1u;
        if (run > in.pixels - written) runsDoNotFit();
        uint32_t word;
        std::memcpy(&word, read + pos, 4);
        uint32_t* to = reinterpret_cast<uint32_t*>(out) + written;
        std::fill_n(to, run, word);
        written += run;
    }
    return result;
}
