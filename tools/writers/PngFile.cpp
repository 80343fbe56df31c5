#include "tools/writers/PngFile.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

#include "tools/writers/BigEndian.h"

namespace writers {

namespace {

void putChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    put32(out, static_cast<int64_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt)));
}

}  // namespace

std::vector<uint8_t> pngFile(int32_t width, int32_t height, const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> rows;
    for (int32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = argb.at(static_cast<size_t>(y) * width + x);
            rows.insert(rows.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                     static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 24)});
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9) != Z_OK)
        throw std::runtime_error("zlib could not compress the PNG rows");
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    put32(header, width);
    put32(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}

}  // namespace writers
