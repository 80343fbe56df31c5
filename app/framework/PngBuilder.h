// Builds uncompressed PNG files in memory (stored deflate blocks, CRC-32 and Adler-32 sums), from
// palette indices with an alpha palette or from colour bytes, and turns them into images.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"

namespace javax::microedition::lcdui { class Image; }

class PngBuilder {
public:
    // palette: 4 bytes per colour, alpha, red, green, blue. indices: height rows of
    // ceil(width x bitDepth / 8) bytes, or with readyStream a zlib stream of the filtered rows.
    // IllegalArgumentException when an array is shorter than the sizes need or the file would not fit
    // an array; a zero width or height gives a well-formed file that no decoder takes.
    static JavaPtr<JArray<signed char>> pngCreateByteArray(int32_t width, int32_t height, int32_t bitDepth,
                                                           const JavaPtr<JArray<signed char>>& palette,
                                                           const JavaPtr<JArray<signed char>>& indices,
                                                           bool readyStream);
    // colours: 4 bytes per pixel, alpha, red, green, blue; colour type 2 when every alpha is 255.
    static JavaPtr<JArray<signed char>> pngCreateByteArray(int32_t width, int32_t height,
                                                           const JavaPtr<JArray<signed char>>& colours);
    // Null when the platform decoder refuses the file. The file never leaves this call, so it is
    // built without sums and decoded without checking them, except with readyStream: a stream from
    // elsewhere keeps its Adler-32 checked.
    static JavaPtr<javax::microedition::lcdui::Image> pngCreateImage(int32_t width, int32_t height, int32_t bitDepth,
                                                                     const JavaPtr<JArray<signed char>>& palette,
                                                                     const JavaPtr<JArray<signed char>>& indices,
                                                                     bool readyStream);
    static JavaPtr<javax::microedition::lcdui::Image> pngCreateImage(int32_t width, int32_t height,
                                                                     const JavaPtr<JArray<signed char>>& colours);

    // Builds the canvas's crc_table, once. The builders' own chunk sums go through zlib's.
    static void pngCalcCrcTable();
    // CRC-32 of data[end - length, end) through crc_table, built first when needed; 0 for length <= 0.
    static int32_t pngCalcCrc(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t length);
    // Adler-32 of data[end - span, end), leaving out the 5 bytes after every blockSize bytes (the
    // stored-block headers); 1 for span <= 0.
    static int32_t pngCalcAdler(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t span,
                                int32_t blockSize);

    // The largest run of bytes one stored block carries for rows of rowBytes + 1: whole rows where one
    // fits in 64000 bytes, else 64000 (rows then straddle blocks, which zlib allows).
    static int64_t blockBytes(int64_t filteredRow);
};
