// What a compressed texture upload sends to GL, worked out from the caller's bytes alone: PVR
// files walk their mip chain, S3TC (bare or in a DDS file) and PVRTC are decoded to RGBA8, and
// anything else passes through. Every read stays inside the bytes given.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace javax::microedition::khronos::textures {

struct CompressedRequest {
    int32_t level, internalformat, width, height, border;
};

// One GL upload. compressed: glCompressedTexImage2D of pixels with internalformat and border;
// otherwise glTexImage2D of pixels in format and type (internal format = format, border 0).
// source is the part of the input the level was made from.
struct TextureLevel {
    bool compressed;
    int32_t level, width, height;
    int32_t internalformat, border;
    int32_t format, type;
    std::span<const uint8_t> pixels;
    std::span<const uint8_t> source;
};

using LevelSink = std::function<void(const TextureLevel&)>;

// data is what the caller's imageSize names (already bounded by its buffer); levels wider or
// taller than maxTextureSize are not uploaded and end the chain.
void uploadCompressed(const CompressedRequest& request, std::span<const uint8_t> data, int32_t maxTextureSize,
                      const LevelSink& sink);

}  // namespace javax::microedition::khronos::textures
