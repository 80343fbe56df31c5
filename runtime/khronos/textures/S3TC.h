// Software decoding of S3TC (DXT1 to DXT5) blocks into RGBA8 texels: the driver decodes none.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace javax::microedition::khronos::textures {

enum class S3TCKind { DXT1, DXT2, DXT3, DXT4, DXT5 };

// 8 bytes a block for DXT1, 16 for the others.
int32_t s3tcBlockBytes(S3TCKind kind);

// One 4 x 4 block into 16 texels, row by row, each R, G, B, A in memory order (red in the low byte).
void decodeS3TCBlock(S3TCKind kind, const uint8_t* block, uint32_t texels[16]);

// Bytes the blocks of a width x height level take (64 bits: sides may be large).
int64_t s3tcLevelBytes(S3TCKind kind, int32_t width, int32_t height);

// Decodes a level into width x height texels, un-premultiplying DXT2 and DXT4 (a colour above its
// alpha clamps to 255). The caller has checked that data holds s3tcLevelBytes.
void decodeS3TCLevel(S3TCKind kind, std::span<const uint8_t> data, int32_t width, int32_t height,
                     std::vector<uint32_t>& image);

// Divides each colour by its texel's alpha (alpha 0 stays as it is); a colour above its alpha,
// which premultiplied data cannot hold, clamps to 255.
void unpremultiply(std::span<uint32_t> texels);

}  // namespace javax::microedition::khronos::textures
