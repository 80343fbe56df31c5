#include "runtime/khronos/textures/CompressedUpload.h"

#include <GLES/gl.h>

#include <algorithm>
#include <vector>

#include "runtime/khronos/textures/PVRTC.h"
#include "runtime/khronos/textures/S3TC.h"

namespace javax::microedition::khronos::textures {

namespace {

constexpr uint32_t PVR_TAG = 0x21525650;  // "PVR!"
constexpr uint32_t DDS_MAGIC = 0x20534444;  // "DDS "
constexpr int64_t PVR_HEADER_BYTES = 52;
constexpr int64_t DDS_FIELDS_BYTES = 88;  // up to and including the FourCC
constexpr int32_t PVRTC_FIRST = 0x8C00, PVRTC_LAST = 0x8C03;
constexpr int32_t S3TC_FIRST = 0x83F0, S3TC_LAST = 0x83F3;

uint32_t read32(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

bool fits(int64_t width, int64_t height, int32_t maxTextureSize) {
    return width > 0 && height > 0 && width <= maxTextureSize && height <= maxTextureSize;
}

void sendImage(const LevelSink& sink, int32_t level, int32_t width, int32_t height, int32_t format, int32_t type,
               std::span<const uint8_t> pixels, std::span<const uint8_t> source) {
    sink(TextureLevel{false, level, width, height, format, 0, format, type, pixels, source});
}

void sendDecoded(const LevelSink& sink, int32_t level, int32_t width, int32_t height,
                 const std::vector<uint32_t>& image, std::span<const uint8_t> source) {
    sendImage(sink, level, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
              std::span(reinterpret_cast<const uint8_t*>(image.data()), image.size() * 4), source);
}

struct PvrType {
    bool compressed, twoBits;
    int32_t format, type;
};

bool pvrType(uint32_t pixelType, PvrType& out) {
    switch (pixelType) {
        case 0x0C: case 0x0D: case 0x18: out = {true, true, 0, 0}; return true;
        case 0x0E: case 0x0F: case 0x19: out = {true, false, 0, 0}; return true;
        case 0x10: out = {false, false, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4}; return true;
        case 0x11: out = {false, false, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1}; return true;
        case 0x12: out = {false, false, GL_RGBA, GL_UNSIGNED_BYTE}; return true;
        case 0x13: out = {false, false, GL_RGB, GL_UNSIGNED_SHORT_5_6_5}; return true;
        case 0x15: out = {false, false, GL_RGB, GL_UNSIGNED_BYTE}; return true;
        case 0x16: out = {false, false, GL_LUMINANCE, GL_UNSIGNED_BYTE}; return true;
        case 0x17: out = {false, false, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE}; return true;
        default: return false;
    }
}

void uploadPVR(const CompressedRequest& request, std::span<const uint8_t> data, int32_t maxTextureSize,
               const LevelSink& sink) {
    int64_t height = read32(data, 4), width = read32(data, 8);
    const uint32_t bitsPerPixel = read32(data, 24);
    PvrType kind;
    if (!pvrType(read32(data, 16) & 0xFF, kind)) return;
    const int64_t size = static_cast<int64_t>(data.size());
    int64_t offset = PVR_HEADER_BYTES;
    int32_t level = request.level;
    std::vector<uint32_t> image;
    while (size > offset && width > 0 && height > 0) {
        if (!fits(width, height, maxTextureSize)) return;
        const int32_t w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
        const int64_t bytes = kind.compressed ? pvrtcLevelBytes(kind.twoBits, w, h)
                                              : (int64_t{bitsPerPixel} * width * height + 7) / 8;
        if (bytes > size - offset) return;  // the level does not fit in the data
        const auto source = data.subspan(static_cast<size_t>(offset), static_cast<size_t>(bytes));
        if (!kind.compressed) {
            // GL reads rows at its unpack alignment; the file's rows are tight.
            const int64_t needed = int64_t{w} * h * (kind.type == GL_UNSIGNED_BYTE
                                                         ? (kind.format == GL_RGBA ? 4 : kind.format == GL_RGB ? 3
                                                            : kind.format == GL_LUMINANCE_ALPHA ? 2 : 1)
                                                         : 2);
            if (needed > bytes) return;
            sendImage(sink, level, w, h, kind.format, kind.type, source, source);
        } else {
            // Small levels take whole blocks beyond their own size; those bytes must be there too.
            const int64_t decodeBytes = pvrtcDecodeBytes(kind.twoBits, w, h);
            if (decodeBytes > size - offset) return;
            if (!decodePVRTC(data.subspan(static_cast<size_t>(offset), static_cast<size_t>(decodeBytes)), kind.twoBits,
                             w, h, image))
                return;
            sendDecoded(sink, level, w, h, image, source);
        }
        width >>= 1;
        offset += bytes;
        if (offset >= size || width == 0) return;
        height >>= 1;
        ++level;
    }
}

void uploadBarePVRTC(const CompressedRequest& request, std::span<const uint8_t> data, int32_t maxTextureSize,
                     const LevelSink& sink) {
    if (!fits(request.width, request.height, maxTextureSize)) return;
    const bool twoBits = request.internalformat == 0x8C01 || request.internalformat == 0x8C03;
    const int64_t bytes = pvrtcDecodeBytes(twoBits, request.width, request.height);
    if (bytes > static_cast<int64_t>(data.size())) return;
    std::vector<uint32_t> image;
    const auto source = data.first(static_cast<size_t>(bytes));
    if (decodePVRTC(source, twoBits, request.width, request.height, image))
        sendDecoded(sink, request.level, request.width, request.height, image, source);
}

void uploadS3TC(const CompressedRequest& request, std::span<const uint8_t> data, int32_t maxTextureSize,
                const LevelSink& sink) {
    S3TCKind kind = request.internalformat == 0x83F2 ? S3TCKind::DXT3
                    : request.internalformat == 0x83F3 ? S3TCKind::DXT5 : S3TCKind::DXT1;
    int64_t width = request.width, height = request.height, levels = 1, offset = 0;
    if (data.size() >= 4 && read32(data, 0) == DDS_MAGIC) {
        if (static_cast<int64_t>(data.size()) < DDS_FIELDS_BYTES) return;
        height = read32(data, 12);
        width = read32(data, 16);
        levels = std::max<int64_t>(read32(data, 28), 1);
        if (read32(data, 80) & 0x40) return;  // uncompressed RGB
        const uint32_t fourCC = read32(data, 84);
        if ((fourCC & 0xFFFFFF) != 0x545844 || (fourCC >> 24) < '1' || (fourCC >> 24) > '5') return;
        kind = static_cast<S3TCKind>((fourCC >> 24) - '1');
        offset = int64_t{read32(data, 4)} + 4;
    }
    const int64_t size = static_cast<int64_t>(data.size());
    std::vector<uint32_t> image;
    for (int64_t i = 0; i < levels && width > 0 && height > 0; ++i) {
        if (!fits(width, height, maxTextureSize)) return;
        const int32_t w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
        const int64_t bytes = s3tcLevelBytes(kind, w, h);
        if (offset > size || bytes > size - offset) return;
        const auto source = data.subspan(static_cast<size_t>(offset), static_cast<size_t>(bytes));
        decodeS3TCLevel(kind, source, w, h, image);
        sendDecoded(sink, request.level + static_cast<int32_t>(i), w, h, image, source);
        offset += bytes;
        if (width == 1 && height == 1) return;
        width = std::max<int64_t>(width >> 1, 1);
        height = std::max<int64_t>(height >> 1, 1);
    }
}

}  // namespace

void uploadCompressed(const CompressedRequest& request, std::span<const uint8_t> data, int32_t maxTextureSize,
                      const LevelSink& sink) {
    const int32_t format = request.internalformat;
    if (format >= PVRTC_FIRST && format <= PVRTC_LAST) {
        if (static_cast<int64_t>(data.size()) >= PVR_HEADER_BYTES && read32(data, 44) == PVR_TAG)
            uploadPVR(request, data, maxTextureSize, sink);
        else
            uploadBarePVRTC(request, data, maxTextureSize, sink);
        return;
    }
    if (format >= S3TC_FIRST && format <= S3TC_LAST) {
        uploadS3TC(request, data, maxTextureSize, sink);
        return;
    }
    sink(TextureLevel{true, request.level, request.width, request.height, format, request.border, 0, 0, data, data});
}

}  // namespace javax::microedition::khronos::textures
