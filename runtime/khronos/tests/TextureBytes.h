// Little-endian writers for the texture files and blocks the tests build.
#pragma once

#include <cstdint>
#include <vector>

namespace khronostest {

inline void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A PVR file header of the size and pixel type, followed by dataBytes zero bytes.
inline std::vector<uint8_t> pvrFile(uint32_t width, uint32_t height, uint32_t pixelType, uint32_t bitsPerPixel,
                                    size_t dataBytes) {
    std::vector<uint8_t> bytes(52 + dataBytes);
    put32(bytes, 0, 52);
    put32(bytes, 4, height);
    put32(bytes, 8, width);
    put32(bytes, 16, pixelType);
    put32(bytes, 24, bitsPerPixel);
    put32(bytes, 44, 0x21525650);
    return bytes;
}

// A DDS file header (128 bytes) of the size, level count and FourCC, followed by dataBytes zero bytes.
inline std::vector<uint8_t> ddsFile(uint32_t width, uint32_t height, uint32_t levels, const char* fourCC,
                                    size_t dataBytes) {
    std::vector<uint8_t> bytes(128 + dataBytes);
    put32(bytes, 0, 0x20534444);
    put32(bytes, 4, 124);
    put32(bytes, 12, height);
    put32(bytes, 16, width);
    put32(bytes, 28, levels);
    put32(bytes, 80, 0x4);
    for (int i = 0; i < 4; ++i) bytes[84 + i] = static_cast<uint8_t>(fourCC[i]);
    return bytes;
}

}  // namespace khronostest
