#include "tools/writers/EncodedImageFile.h"

#include <zlib.h>

#include <stdexcept>

#include "tools/writers/BigEndian.h"

namespace writers {

std::vector<uint8_t> paletteFile(const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> out;
    for (const uint32_t colour : argb) put32(out, colour);
    return out;
}

namespace {

void putIndices(std::vector<uint8_t>& out, const EncodedImage& image) {
    const int32_t bpp = EncodedImage::bitsPerIndex(image.paletteColours);
    const std::vector<uint32_t>& px = image.pixels;
    if (!image.runLength) {
        std::vector<uint8_t> packed((px.size() * bpp + 7) / 8, 0);
        for (size_t k = 0; k < px.size(); ++k) packed[k * bpp / 8] |= static_cast<uint8_t>(px[k] << (k * bpp % 8));
        out.insert(out.end(), packed.begin(), packed.end());
        return;
    }
    const size_t longest = bpp == 8 ? 256 : size_t{1} << (8 - bpp);
    for (size_t k = 0; k < px.size();) {
        size_t run = 1;
        while (k + run < px.size() && px[k + run] == px[k] && run < longest) ++run;
        if (bpp == 8) {
            put8(out, px[k]);
            put8(out, static_cast<int64_t>(run - 1));
        } else {
            put8(out, static_cast<int64_t>((px[k] << (8 - bpp)) | (run - 1)));
        }
        k += run;
    }
}

void putColours(std::vector<uint8_t>& out, const EncodedImage& image) {
    const std::vector<uint32_t>& px = image.pixels;
    for (size_t k = 0; k < px.size();) {
        size_t run = 1;
        if (image.runLength)
            while (k + run < px.size() && px[k + run] == px[k] && run < 256) ++run;
        put32(out, px[k]);
        if (image.runLength) put8(out, static_cast<int64_t>(run - 1));
        k += run;
    }
}

std::vector<uint8_t> zlibRows(const EncodedImage& image) {
    std::vector<uint8_t> rows;
    for (int32_t y = 0; y < image.height; ++y) {
        rows.push_back(0);
        for (int32_t x = 0; x < image.width; ++x)
            rows.push_back(static_cast<uint8_t>(image.pixels.at(static_cast<size_t>(y) * image.width + x)));
    }
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(size);
    if (compress2(packed.data(), &size, rows.data(), static_cast<uLong>(rows.size()), 9) != Z_OK)
        throw std::runtime_error("zlib could not compress the index rows");
    packed.resize(size);
    return packed;
}

}  // namespace

std::vector<uint8_t> EncodedImage::bytes() const {
    std::vector<uint8_t> out;
    if (form == Form::Png) return png;
    if (form == Form::ZeroThenPng) {
        out.push_back(0);
        out.insert(out.end(), png.begin(), png.end());
        return out;
    }
    const int32_t format = form == Form::PngRowsNoPalette ? 1 : 2;
    put8(out, format | (fullColour ? 64 : 0) | (cellsAcross > 0 ? 128 : 0));
    put16(out, width);
    put16(out, height);
    if (cellsAcross > 0) {
        put16(out, cellsAcross);
        put16(out, cellsDown);
        for (const EncodedCell& cell : cells) {
            put16(out, cell.x);
            put16(out, cell.y);
            put16(out, cell.width);
            put16(out, cell.height);
        }
    }
    if (form == Form::PngRowsNoPalette) {
        const std::vector<uint8_t> stream = zlibRows(*this);
        out.insert(out.end(), stream.begin(), stream.end());
        return out;
    }
    put8(out, runLength ? 0 : 1);
    if (fullColour) {
        putColours(out, *this);
    } else {
        putIndices(out, *this);
    }
    return out;
}

}  // namespace writers
