#include "runtime/khronos/textures/S3TC.h"

#include <algorithm>
#include <cassert>

namespace javax::microedition::khronos::textures {

namespace {

uint16_t read16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint32_t pack(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
    return red | green << 8 | blue << 16 | alpha << 24;
}

// The four colours of a block's colour half, alpha 0 (each kind adds its own alpha).
void colourTable(const uint8_t* block, bool fourColoursAlways, uint32_t table[4], bool& thirdIsTransparent) {
    const uint16_t c0 = read16(block), c1 = read16(block + 2);
    uint32_t r[4], g[4], b[4];
    r[0] = (c0 >> 11) * 8 | 3;
    g[0] = ((c0 >> 5) & 0x3F) * 4 | 7;
    b[0] = (c0 & 0x1F) * 8 | 3;
    r[1] = (c1 >> 11) * 8 | 3;
    g[1] = ((c1 >> 5) & 0x3F) * 4 | 7;
    b[1] = (c1 & 0x1F) * 8 | 3;
    thirdIsTransparent = !fourColoursAlways && c0 <= c1;
    if (!thirdIsTransparent) {
        r[2] = (2 * r[0] + r[1]) / 3, g[2] = (2 * g[0] + g[1]) / 3, b[2] = (2 * b[0] + b[1]) / 3;
        r[3] = (r[0] + 2 * r[1]) / 3, g[3] = (g[0] + 2 * g[1]) / 3, b[3] = (b[0] + 2 * b[1]) / 3;
    } else {
        r[2] = (r[0] + r[1]) / 2, g[2] = (g[0] + g[1]) / 2, b[2] = (b[0] + b[1]) / 2;
        r[3] = g[3] = b[3] = 0;
    }
    for (int i = 0; i < 4; ++i) table[i] = pack(r[i], g[i], b[i], 0);
}

uint32_t colourIndex(const uint8_t* colourBlock, int texel) { return (colourBlock[4 + texel / 4] >> (texel % 4 * 2)) & 3; }

}  // namespace

int32_t s3tcBlockBytes(S3TCKind kind) { return kind == S3TCKind::DXT1 ? 8 : 16; }

void decodeS3TCBlock(S3TCKind kind, const uint8_t* block, uint32_t texels[16]) {
    uint32_t table[4];
    bool thirdIsTransparent = false;
    if (kind == S3TCKind::DXT1) {
        colourTable(block, false, table, thirdIsTransparent);
        for (int k = 0; k < 16; ++k) {
            const uint32_t index = colourIndex(block, k);
            texels[k] = index == 3 && thirdIsTransparent ? 0 : table[index] | 0xFF000000u;
        }
        return;
    }
    const uint8_t* colour = block + 8;
    colourTable(colour, true, table, thirdIsTransparent);
    if (kind == S3TCKind::DXT2 || kind == S3TCKind::DXT3) {
        for (int k = 0; k < 16; ++k) {
            const uint32_t nibble = (block[k / 2] >> (k % 2 * 4)) & 0xF;
            texels[k] = table[colourIndex(colour, k)] | (nibble * 17) << 24;
        }
        return;
    }
    const uint32_t a0 = block[0], a1 = block[1];
    uint32_t alphas[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i) alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) indices |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    for (int k = 0; k < 16; ++k)
        texels[k] = table[colourIndex(colour, k)] | alphas[(indices >> (3 * k)) & 7] << 24;
}

int64_t s3tcLevelBytes(S3TCKind kind, int32_t width, int32_t height) {
    const int64_t blocksAcross = (static_cast<int64_t>(std::max(width, 0)) + 3) / 4;
    const int64_t blocksDown = (static_cast<int64_t>(std::max(height, 0)) + 3) / 4;
    return blocksAcross * blocksDown * s3tcBlockBytes(kind);
}

void decodeS3TCLevel(S3TCKind kind, std::span<const uint8_t> data, int32_t width, int32_t height,
                     std::vector<uint32_t>& image) {
    assert(static_cast<int64_t>(data.size()) >= s3tcLevelBytes(kind, width, height));
    image.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const size_t blockBytes = static_cast<size_t>(s3tcBlockBytes(kind));
    size_t at = 0;
    uint32_t texels[16];
    for (int32_t top = 0; top < height; top += 4) {
        for (int32_t left = 0; left < width; left += 4, at += blockBytes) {
            decodeS3TCBlock(kind, data.data() + at, texels);
            for (int32_t k = 0; k < 16; ++k) {
                const int32_t x = left + k % 4, y = top + k / 4;
                if (x < width && y < height) image[static_cast<size_t>(y) * width + x] = texels[k];
            }
        }
    }
    if (kind == S3TCKind::DXT2 || kind == S3TCKind::DXT4) unpremultiply(image);
}

void unpremultiply(std::span<uint32_t> texels) {
    for (uint32_t& texel : texels) {
        const uint32_t alpha = texel >> 24;
        if (alpha == 0) continue;
        uint32_t result = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8)
            result |= std::min<uint32_t>((texel >> shift & 0xFF) * 255 / alpha, 255) << shift;
        texel = result;
    }
}

}  // namespace javax::microedition::khronos::textures
