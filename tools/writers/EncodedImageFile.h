// Writes the framework's encoded images: a PNG (plain or after a 0 byte), the zlib stream of a
// paletted PNG's rows, or encoded pixels (palette indices or full colour, raw or run-length), each
// optionally with a table of cropped cells; and the palettes that go with them.
#pragma once

#include <cstdint>
#include <vector>

namespace writers {

// 4 bytes per colour: alpha, red, green, blue.
std::vector<uint8_t> paletteFile(const std::vector<uint32_t>& argb);

struct EncodedCell {
    int32_t x, y, width, height;  // the cropped rectangle, in pixels of the whole image
};

struct EncodedImage {
    enum class Form { Png, ZeroThenPng, PngRowsNoPalette, Pixels };
    Form form = Form::Pixels;
    int32_t width = 0;
    int32_t height = 0;
    bool fullColour = false;
    bool runLength = true;
    // Colours in the palette the pixels are meant for; sets the index width (1, 2, 4 or 8 bits).
    int32_t paletteColours = 2;
    int32_t cellsAcross = 0;  // 0: no cell table
    int32_t cellsDown = 0;
    std::vector<EncodedCell> cells;
    // Palette indices, or 0xAARRGGBB colours when fullColour, width x height row by row.
    std::vector<uint32_t> pixels;
    // For the two PNG forms: the PNG file.
    std::vector<uint8_t> png;

    static int32_t bitsPerIndex(int32_t colours) { return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8; }

    std::vector<uint8_t> bytes() const;
};

}  // namespace writers
