// Software decoding of PVRTC (2 and 4 bits per pixel) into RGBA8 texels: the driver has no PVRTC
// formats, so a texture uploaded as PVRTC would otherwise show nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace javax::microedition::khronos::textures {

// Bytes a level takes in a PVR file: max(2w, 32) x max(h, 8) / 8 at 2 bits, max(4w, 32) x max(h, 8) / 8 at 4.
int64_t pvrtcLevelBytes(bool twoBitsPerPixel, int32_t width, int32_t height);

// Bytes the decoder reads for a level: whole blocks over sides rounded up to powers of two.
int64_t pvrtcDecodeBytes(bool twoBitsPerPixel, int32_t width, int32_t height);

// Decodes a level into width x height texels, R, G, B, A in memory order. False, with nothing
// decoded, when data is shorter than pvrtcDecodeBytes or a side is not above 0.
bool decodePVRTC(std::span<const uint8_t> data, bool twoBitsPerPixel, int32_t width, int32_t height,
                 std::vector<uint32_t>& image);

}  // namespace javax::microedition::khronos::textures
