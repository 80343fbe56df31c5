#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "runtime/khronos/textures/PVRTC.h"

using javax::microedition::khronos::textures::decodePVRTC;

namespace {

struct RGB {
    uint32_t r, g, b;
};

// Colours as the blocks store them: A opaque in 5:5:4 bits, B opaque in 5:5:5.
uint32_t colourWord(RGB a, RGB b) {
    auto bits = [](uint32_t value, int width) { return (value * ((1u << width) - 1) + 127) / 255; };
    return 0x8000u | bits(a.r, 5) << 10 | bits(a.g, 5) << 5 | bits(a.b, 4) << 1 | 0x80000000u | bits(b.r, 5) << 26 |
           bits(b.g, 5) << 21 | bits(b.b, 5) << 16;
}

// Z order of blocks on a square grid: row bits at the even places.
size_t blockIndex(int column, int row) {
    size_t index = 0;
    for (int bit = 0; bit < 8; ++bit)
        index |= static_cast<size_t>((row >> bit) & 1) << (2 * bit) | static_cast<size_t>((column >> bit) & 1) << (2 * bit + 1);
    return index;
}

// A plain encoder for pictures of two colours: every block stores both, and each texel picks one.
std::vector<uint8_t> encode(const std::vector<bool>& isB, int width, int height, bool twoBits, RGB a, RGB b) {
    const int blockWidth = twoBits ? 8 : 4;
    const int across = width / blockWidth, down = height / 4;
    std::vector<uint8_t> data(static_cast<size_t>(across * down * 8));
    for (int row = 0; row < down; ++row) {
        for (int column = 0; column < across; ++column) {
            uint32_t modulation = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < blockWidth; ++i)
                    if (isB[static_cast<size_t>((row * 4 + j) * width + column * blockWidth + i)])
                        modulation |= twoBits ? 1u << (j * 8 + i) : 3u << ((j * 4 + i) * 2);
            uint8_t* at = data.data() + blockIndex(column, row) * 8;
            const uint32_t colour = colourWord(a, b);
            for (int k = 0; k < 4; ++k) {
                at[k] = static_cast<uint8_t>(modulation >> (8 * k));
                at[4 + k] = static_cast<uint8_t>(colour >> (8 * k));
            }
        }
    }
    return data;
}

int channelDistance(uint32_t texel, RGB colour) {
    return std::max({std::abs(static_cast<int>(texel & 0xFF) - static_cast<int>(colour.r)),
                     std::abs(static_cast<int>(texel >> 8 & 0xFF) - static_cast<int>(colour.g)),
                     std::abs(static_cast<int>(texel >> 16 & 0xFF) - static_cast<int>(colour.b))});
}

}  // namespace

TEST(PVRTC, BlocksOfOneColourDecodeToItWhateverTheModulation) {
    for (bool twoBits : {false, true}) {
        std::vector<uint8_t> data(4 * 8);
        srand(7);
        for (size_t block = 0; block < 4; ++block) {
            for (int k = 0; k < 4; ++k) data[block * 8 + k] = static_cast<uint8_t>(rand());
            // Colour A and B both pure 5-bit red 20, green 10, blue 8 (A's blue has 4 bits: 4 widened).
            const uint32_t colour = 0x8000u | 20u << 10 | 10u << 5 | 4u << 1 | 0x80000000u | 20u << 26 | 10u << 21 |
                                    8u << 16 | (twoBits && block % 2 ? 1u : 0u);
            for (int k = 0; k < 4; ++k) data[block * 8 + 4 + k] = static_cast<uint8_t>(colour >> (8 * k));
        }
        std::vector<uint32_t> image;
        const int width = twoBits ? 16 : 8;
        ASSERT_TRUE(decodePVRTC(data, twoBits, width, 8, image));
        const uint32_t expected = 0xFF000000u | ((8 * 255 + 15) / 31) << 16 | ((10 * 255 + 15) / 31) << 8 | ((20 * 255 + 15) / 31);
        for (size_t i = 0; i < image.size(); ++i) ASSERT_EQ(image[i], expected) << (twoBits ? "2" : "4") << " bits, texel " << i;
    }
}

TEST(PVRTC, TwoColourPicturesComeBackWithinAFewLevels) {
    const RGB a{200, 40, 30}, b{20, 90, 230};
    for (bool twoBits : {false, true}) {
        // Square grids of 8 x 8 blocks.
        const int width = twoBits ? 64 : 32, height = 32;
        // Blocks of A, blocks of B, and a diagonal that mixes both inside blocks.
        std::vector<bool> isB(static_cast<size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) isB[static_cast<size_t>(y * width + x)] = x < 8 ? false : x >= width - 8 ? true : x - 8 > y;
        std::vector<uint32_t> image;
        ASSERT_TRUE(decodePVRTC(encode(isB, width, height, twoBits, a, b), twoBits, width, height, image));
        int worst = 0;
        for (size_t i = 0; i < image.size(); ++i) worst = std::max(worst, channelDistance(image[i], isB[i] ? b : a));
        EXPECT_LE(worst, 8) << (twoBits ? "2" : "4") << " bits per pixel";
    }
}

TEST(PVRTC, ModulationZeroAndThreeGiveTheSharedColoursExactly) {
    const RGB a{255, 0, 0}, b{0, 0, 255};  // exactly representable
    std::vector<bool> isB(8 * 8);
    for (size_t i = 0; i < isB.size(); ++i) isB[i] = i % 3 == 0;
    std::vector<uint32_t> image;
    ASSERT_TRUE(decodePVRTC(encode(isB, 8, 8, false, a, b), false, 8, 8, image));
    for (size_t i = 0; i < image.size(); ++i) EXPECT_EQ(image[i], isB[i] ? 0xFFFF0000u : 0xFF0000FFu) << i;
}

TEST(PVRTC, ShortDataDecodesNothing) {
    std::vector<uint32_t> image;
    EXPECT_FALSE(decodePVRTC(std::vector<uint8_t>(31), false, 8, 8, image));
    EXPECT_FALSE(decodePVRTC(std::vector<uint8_t>(64), true, 0, 8, image));
    EXPECT_TRUE(image.empty());
}
