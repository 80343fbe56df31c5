#include "runtime/khronos/textures/PVRTC.h"

#include <algorithm>

namespace javax::microedition::khronos::textures {

namespace {

int64_t roundUpToPowerOfTwo(int64_t value) {
    int64_t power = 1;
    while (power < value) power <<= 1;
    return power;
}

struct Grid {
    int64_t blocksAcross, blocksDown;
    int32_t blockWidth;  // 4 texels at 4 bits per pixel, 8 at 2; blocks are 4 texels high
};

Grid gridFor(bool twoBits, int32_t width, int32_t height) {
    const int32_t blockWidth = twoBits ? 8 : 4;
    return {std::max<int64_t>(roundUpToPowerOfTwo((static_cast<int64_t>(width) + blockWidth - 1) / blockWidth), 2),
            std::max<int64_t>(roundUpToPowerOfTwo((static_cast<int64_t>(height) + 3) / 4), 2), blockWidth};
}

// Blocks are stored in Z order: the low bits of the row and column interleave (row first), and
// the longer side's remaining bits follow.
int64_t blockIndex(const Grid& grid, int64_t column, int64_t row) {
    const int64_t shorter = std::min(grid.blocksAcross, grid.blocksDown);
    int64_t index = 0, shift = 0;
    for (int64_t bit = 1; bit < shorter; bit <<= 1, ++shift) {
        if (row & bit) index |= int64_t{1} << (2 * shift);
        if (column & bit) index |= int64_t{1} << (2 * shift + 1);
    }
    const int64_t rest = grid.blocksDown < grid.blocksAcross ? column : row;
    return index | (rest >> shift) << (2 * shift);
}

uint32_t read32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

// Red, green, blue in 5 bits, alpha in 4.
struct Colour {
    int32_t channel[4];
};

int32_t widen4(uint32_t v) { return static_cast<int32_t>(v << 1 | v >> 3); }
int32_t widen3(uint32_t v) { return static_cast<int32_t>(v << 2 | v >> 1); }

Colour colourA(uint32_t word) {
    if (word & 0x8000u)
        return {{static_cast<int32_t>(word >> 10 & 31), static_cast<int32_t>(word >> 5 & 31), widen4(word >> 1 & 15), 15}};
    return {{widen4(word >> 8 & 15), widen4(word >> 4 & 15), widen3(word >> 1 & 7), static_cast<int32_t>((word >> 12 & 7) << 1)}};
}

Colour colourB(uint32_t word) {
    if (word & 0x80000000u)
        return {{static_cast<int32_t>(word >> 26 & 31), static_cast<int32_t>(word >> 21 & 31),
                 static_cast<int32_t>(word >> 16 & 31), 15}};
    return {{widen4(word >> 24 & 15), widen4(word >> 20 & 15), widen4(word >> 16 & 15),
             static_cast<int32_t>((word >> 28 & 7) << 1)}};
}

constexpr int32_t MODULATION[4] = {0, 3, 5, 8};
constexpr int32_t PUNCH_THROUGH = -1;    // weight 4 and alpha 0
constexpr int32_t INTERPOLATE_BOTH = -2;  // unstored at 2 bits: from the four neighbours
constexpr int32_t INTERPOLATE_ACROSS = -3;
constexpr int32_t INTERPOLATE_DOWN = -4;

}  // namespace

int64_t pvrtcLevelBytes(bool twoBitsPerPixel, int32_t width, int32_t height) {
    const int64_t w = std::max(width, 0), h = std::max(height, 0);
    return std::max<int64_t>((twoBitsPerPixel ? 2 : 4) * w, 32) * std::max<int64_t>(h, 8) / 8;
}

int64_t pvrtcDecodeBytes(bool twoBitsPerPixel, int32_t width, int32_t height) {
    const Grid grid = gridFor(twoBitsPerPixel, std::max(width, 1), std::max(height, 1));
    return grid.blocksAcross * grid.blocksDown * 8;
}

bool decodePVRTC(std::span<const uint8_t> data, bool twoBits, int32_t width, int32_t height,
                 std::vector<uint32_t>& image) {
    if (width <= 0 || height <= 0 || static_cast<int64_t>(data.size()) < pvrtcDecodeBytes(twoBits, width, height))
        return false;
    const Grid grid = gridFor(twoBits, width, height);
    const int64_t fullWidth = grid.blocksAcross * grid.blockWidth, fullHeight = grid.blocksDown * 4;
    auto block = [&](int64_t column, int64_t row) {
        column = (column % grid.blocksAcross + grid.blocksAcross) % grid.blocksAcross;
        row = (row % grid.blocksDown + grid.blocksDown) % grid.blocksDown;
        return data.data() + blockIndex(grid, column, row) * 8;
    };

    // Modulation weights of B out of 8 over the whole padded grid; at 2 bits some are filled in
    // from their neighbours afterwards.
    std::vector<int32_t> weights(static_cast<size_t>(fullWidth * fullHeight));
    auto weightAt = [&](int64_t x, int64_t y) -> int32_t& {
        x = (x % fullWidth + fullWidth) % fullWidth;
        y = (y % fullHeight + fullHeight) % fullHeight;
        return weights[static_cast<size_t>(y * fullWidth + x)];
    };
    for (int64_t row = 0; row < grid.blocksDown; ++row) {
        for (int64_t column = 0; column < grid.blocksAcross; ++column) {
            const uint8_t* at = block(column, row);
            const uint32_t bits = read32(at);
            const bool mode = read32(at + 4) & 1;
            for (int32_t j = 0; j < 4; ++j) {
                for (int32_t i = 0; i < grid.blockWidth; ++i) {
                    int32_t& weight = weightAt(column * grid.blockWidth + i, row * 4 + j);
                    if (!twoBits) {
                        const uint32_t value = bits >> ((j * 4 + i) * 2) & 3;
                        weight = !mode ? MODULATION[value] : value == 2 ? PUNCH_THROUGH : value == 3 ? 8 : value * 4;
                    } else if (!mode) {
                        weight = (bits >> (j * 8 + i) & 1) ? 8 : 0;
                    } else if ((i + j) % 2 == 0) {
                        const int32_t slot = (j * 8 + i) / 2;
                        uint32_t value = bits >> (slot * 2) & 3;
                        // The low bits of the first and the eleventh value choose how the others
                        // are filled in, so those two keep only their high bit.
                        if (slot == 0 || slot == 10) value = (value & 2) | (value >> 1);
                        weight = MODULATION[value];
                    } else {
                        weight = !(bits & 1) ? INTERPOLATE_BOTH : (bits >> 20 & 1) ? INTERPOLATE_DOWN : INTERPOLATE_ACROSS;
                    }
                }
            }
        }
    }
    if (twoBits) {
        for (int64_t y = 0; y < fullHeight; ++y) {
            for (int64_t x = 0; x < fullWidth; ++x) {
                int32_t& weight = weightAt(x, y);
                if (weight != INTERPOLATE_BOTH && weight != INTERPOLATE_ACROSS && weight != INTERPOLATE_DOWN) continue;
                // Neighbours of an unstored texel are stored ones (the pattern is a checkerboard).
                auto stored = [&](int64_t nx, int64_t ny) { return std::max(weightAt(nx, ny), 0); };
                if (weight == INTERPOLATE_BOTH)
                    weight = (stored(x - 1, y) + stored(x + 1, y) + stored(x, y - 1) + stored(x, y + 1) + 2) / 4;
                else if (weight == INTERPOLATE_ACROSS)
                    weight = (stored(x - 1, y) + stored(x + 1, y) + 1) / 2;
                else if (weight == INTERPOLATE_DOWN)
                    weight = (stored(x, y - 1) + stored(x, y + 1) + 1) / 2;
            }
        }
    }

    // Colours A and B come from the four blocks around each texel, weighted by distance from
    // their centres; the sums carry the weights' denominator blockWidth x 4.
    image.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const int32_t denominator = grid.blockWidth * 4;
    for (int32_t y = 0; y < height; ++y) {
        const int64_t py = y - 2;
        const int64_t row0 = py >= 0 ? py / 4 : -1;
        const int32_t fy = static_cast<int32_t>(py - row0 * 4);
        for (int32_t x = 0; x < width; ++x) {
            const int64_t px = x - grid.blockWidth / 2;
            const int64_t column0 = px >= 0 ? px / grid.blockWidth : -1;
            const int32_t fx = static_cast<int32_t>(px - column0 * grid.blockWidth);
            const uint32_t words[4] = {read32(block(column0, row0) + 4), read32(block(column0 + 1, row0) + 4),
                                       read32(block(column0, row0 + 1) + 4), read32(block(column0 + 1, row0 + 1) + 4)};
            const int32_t factors[4] = {(grid.blockWidth - fx) * (4 - fy), fx * (4 - fy), (grid.blockWidth - fx) * fy,
                                        fx * fy};
            int32_t sumA[4] = {}, sumB[4] = {};
            for (int n = 0; n < 4; ++n) {
                const Colour a = colourA(words[n]), b = colourB(words[n]);
                for (int c = 0; c < 4; ++c) {
                    sumA[c] += factors[n] * a.channel[c];
                    sumB[c] += factors[n] * b.channel[c];
                }
            }
            const int32_t stored = weightAt(x, y);
            const int32_t weight = stored == PUNCH_THROUGH ? 4 : stored;
            uint32_t texel = 0;
            for (int c = 0; c < 4; ++c) {
                const int64_t mixed = static_cast<int64_t>(sumA[c]) * (8 - weight) + static_cast<int64_t>(sumB[c]) * weight;
                const int64_t top = (c == 3 ? 15 : 31) * int64_t{denominator} * 8;
                const int64_t value = (mixed * 255 + top / 2) / top;
                texel |= static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 255)) << (8 * c);
            }
            if (stored == PUNCH_THROUGH) texel &= 0x00FFFFFFu;
            image[static_cast<size_t>(y) * width + x] = texel;
        }
    }
    return true;
}

}  // namespace javax::microedition::khronos::textures
