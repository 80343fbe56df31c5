// Writes a plain PNG file of 8-bit red, green, blue and alpha, compressed with zlib.
#pragma once

#include <cstdint>
#include <vector>

namespace writers {

// argb holds width x height colours 0xAARRGGBB, row by row.
std::vector<uint8_t> pngFile(int32_t width, int32_t height, const std::vector<uint32_t>& argb);

}  // namespace writers
