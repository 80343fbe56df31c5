// The framework's encoded image resources: telling the forms apart, reading and checking the header
// and cell table, and decoding palette indices or full-colour pixels, raw or run-length.
#pragma once

#include <cstdint>
#include <span>

#include "app/framework/AppParameters.h"
#include "runtime/lang/JArray.h"

// The IMAGEFORMAT_ constants come from the application's constant table.
class EncodedImage : public CanvasConstants {
public:
    // What the first bytes say about a resource. Everything named here lies inside the bytes.
    struct Layout {
        int32_t format = IMAGEFORMAT_RAWPNG;
        bool fullColour = false;
        bool hasHeader = false;  // false for the two bare PNG forms
        int32_t width = 0;       // from the header; a PNG's own size replaces it
        int32_t height = 0;
        int32_t cellsAcross = 0;  // 0 without a cell table
        int32_t cellsDown = 0;
        int32_t cellTableOffset = 5;
        int32_t cellTableLength = 0;  // 4 + 8 x cells, from cellTableOffset
        int32_t pixelOffset = 0;
    };

    // IOException for sizes below 1 or beyond what an Image can hold, and for cell tables that do not
    // fit the bytes or whose cropped rectangles leave their cells.
    static Layout classify(std::span<const uint8_t> bytes);

    // Index width for a palette of that many colours: 1, 2, 4 or 8 bits.
    static int32_t bitsPerIndex(int32_t colours) { return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8; }

    // width x height palette indices from the encoding byte at offset on. IOException when the
    // palette has no colours or more than 256, an index lies outside it, the runs do not end exactly at
    // the last pixel, or the data ends early.
    static JavaPtr<JArray<signed char>> decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                    int32_t width, int32_t height, int32_t colours);
    // width x height x 4 colour bytes (alpha, red, green, blue); IOException as above.
    static JavaPtr<JArray<signed char>> decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                    int32_t width, int32_t height);
};
