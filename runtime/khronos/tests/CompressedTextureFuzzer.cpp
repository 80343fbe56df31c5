// Compressed uploads of arbitrary bytes: the first five bytes choose the format, the sides and the
// level limit; every level must come from inside the input and decode to its full size.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "runtime/khronos/textures/CompressedUpload.h"

using namespace javax::microedition::khronos::textures;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    constexpr int32_t FORMATS[] = {0x8C00, 0x8C01, 0x8C02, 0x8C03, 0x83F0, 0x83F1, 0x83F2, 0x83F3, 0x8D64};
    const int32_t format = FORMATS[data[0] % 9];
    const int32_t width = data[1] % 70, height = data[2] % 70;
    const int32_t maxTextureSize = 1 + (data[3] | data[4] << 8);
    const std::span<const uint8_t> input(data + 5, size - 5);
    uploadCompressed({0, format, width, height, 0}, input, maxTextureSize, [&](const TextureLevel& level) {
        const bool inside = level.source.data() >= input.data() &&
                            level.source.data() + level.source.size() <= input.data() + input.size();
        const bool sized = level.compressed || level.width <= maxTextureSize;
        const size_t decodedBytes = static_cast<size_t>(level.width) * static_cast<size_t>(level.height) * 4;
        const bool decodedWhole = level.compressed || level.type != 0x1401 || level.format != 0x1908 ||
                                  level.pixels.size() >= decodedBytes;
        if (!inside || !sized || !decodedWhole) std::abort();
        // Touch every byte GL would read.
        volatile uint8_t sink = 0;
        for (uint8_t byte : level.pixels) sink = sink ^ byte;
    });
    return 0;
}
