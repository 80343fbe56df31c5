// PNG and JPEG files made in memory with the libraries' own encoders, for the decoder tests,
// the fuzz seeds and the benchmark.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace lcduitest {

struct PNGDescription {
    uint32_t width = 0;
    uint32_t height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    // Samples, one per channel per pixel, row-major, each below 2^bitDepth.
    std::vector<uint16_t> samples;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS of a palette picture
    bool hasTransparentColour = false;  // tRNS of a gray or RGB picture
    png_color_16 transparentColour{};
};

inline int channelsOf(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY:
        case PNG_COLOR_TYPE_PALETTE: return 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        default: return 4;
    }
}

inline void appendBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline std::vector<uint8_t> encodePNG(const PNGDescription& d) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, d.width, d.height, d.bitDepth, d.colourType,
                 d.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!d.palette.empty()) png_set_PLTE(png, info, d.palette.data(), static_cast<int>(d.palette.size()));
    if (!d.paletteAlpha.empty())
        png_set_tRNS(png, info, d.paletteAlpha.data(), static_cast<int>(d.paletteAlpha.size()), nullptr);
    if (d.hasTransparentColour) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&d.transparentColour));
    png_write_info(png, info);
    // Pack the samples by hand so the test does not lean on the library's own transforms.
    const int channels = channelsOf(d.colourType);
    const size_t rowBytes = (static_cast<size_t>(d.width) * channels * d.bitDepth + 7) / 8;
    std::vector<std::vector<uint8_t>> rows(d.height, std::vector<uint8_t>(rowBytes, 0));
    for (uint32_t y = 0; y < d.height; ++y) {
        size_t bit = 0;
        for (uint32_t s = 0; s < d.width * channels; ++s, bit += d.bitDepth) {
            const uint16_t v = d.samples[y * d.width * channels + s];
            if (d.bitDepth == 16) {
                rows[y][bit / 8] = static_cast<uint8_t>(v >> 8);
                rows[y][bit / 8 + 1] = static_cast<uint8_t>(v);
            } else {
                rows[y][bit / 8] |= static_cast<uint8_t>(v << (8 - d.bitDepth - bit % 8));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// An RGB JPEG of width x height pixels whose colours come from colourAt(x, y) as 0xRRGGBB.
template <class ColourAt>
std::vector<uint8_t> encodeJPEG(int width, int height, int quality, ColourAt colourAt) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colourAt(x, static_cast<int>(info.next_scanline));
            row[x * 3] = static_cast<uint8_t>(c >> 16);
            row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(c);
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace lcduitest
