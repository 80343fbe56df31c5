#include <gtest/gtest.h>

#include <vector>

#include "runtime/khronos/tests/TextureBytes.h"
#include "runtime/khronos/textures/CompressedUpload.h"
#include "runtime/khronos/textures/S3TC.h"

using namespace javax::microedition::khronos::textures;
using khronostest::ddsFile;
using khronostest::pvrFile;

namespace {

constexpr int32_t DXT1 = 0x83F0, DXT5 = 0x83F3, PVRTC_4BPP = 0x8C02;

struct Level {
    int32_t level, width, height, format;
    size_t sourceOffset, sourceBytes;
};

std::vector<Level> upload(const std::vector<uint8_t>& data, int32_t internalformat, int32_t width = 0,
                          int32_t height = 0, int32_t maxTextureSize = 4096) {
    std::vector<Level> levels;
    uploadCompressed({0, internalformat, width, height, 0}, data, maxTextureSize, [&](const TextureLevel& level) {
        levels.push_back({level.level, level.width, level.height, level.format,
                          static_cast<size_t>(level.source.data() - data.data()), level.source.size()});
    });
    return levels;
}

uint32_t decodeOne(S3TCKind kind, const std::vector<uint8_t>& block, int texel) {
    uint32_t texels[16];
    decodeS3TCBlock(kind, block.data(), texels);
    return texels[texel];
}

}  // namespace

TEST(S3TC, BlocksDecodeToTheirTableColoursAndAlphas) {
    // Red over blue: four-colour mode; colour 0 keeps the low bits the widening sets.
    EXPECT_EQ(decodeOne(S3TCKind::DXT1, {0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0}, 0), 0xFF0307FBu);
    // Equal colours: three-colour mode, and index 3 is transparent black.
    EXPECT_EQ(decodeOne(S3TCKind::DXT1, {0x00, 0xF8, 0x00, 0xF8, 0x03, 0, 0, 0}, 0), 0u);

    std::vector<uint8_t> dxt3(16, 0);
    dxt3[0] = 0x8F;  // texel 0: 0xF, texel 1: 0x8
    EXPECT_EQ(decodeOne(S3TCKind::DXT3, dxt3, 0) >> 24, 255u);
    EXPECT_EQ(decodeOne(S3TCKind::DXT3, dxt3, 1) >> 24, 136u);

    struct AlphaCase {
        uint8_t a0, a1;
        uint32_t expected[8];
    };
    const AlphaCase cases[] = {{255, 0, {255, 0, 218, 182, 145, 109, 72, 36}}, {0, 255, {0, 255, 51, 102, 153, 204, 0, 255}}};
    for (const AlphaCase& c : cases) {
        // Texels 0 to 7 take the indices 0 to 7: 24 bits 000 001 ... 111 from the lowest.
        std::vector<uint8_t> block(16, 0);
        block[0] = c.a0;
        block[1] = c.a1;
        const uint32_t indices = 0b111110101100011010001000;
        block[2] = indices & 0xFF, block[3] = indices >> 8 & 0xFF, block[4] = indices >> 16;
        uint32_t texels[16];
        decodeS3TCBlock(S3TCKind::DXT5, block.data(), texels);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(texels[i] >> 24, c.expected[i]) << int(c.a0) << " index " << i;
    }
}

TEST(S3TC, UnpremultiplyingDividesByAlphaAndClamps) {
    uint32_t texels[] = {0x80000040u, 0x40FF0000u, 0x00123456u};
    unpremultiply(texels);
    EXPECT_EQ(texels[0], 0x8000007Fu);  // 64 at alpha 128 becomes 127
    EXPECT_EQ(texels[1], 0x40FF0000u);  // 255 at alpha 64 is more than the byte holds
    EXPECT_EQ(texels[2], 0x00123456u);  // alpha 0 is left alone
}

TEST(CompressedUpload, LevelsReadOnlyTheBytesTheyOwn) {
    // A bare 6 x 6 DXT1 level covers 2 x 2 blocks.
    auto bare = upload(std::vector<uint8_t>(40, 0), DXT1, 6, 6);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].sourceBytes, 32u);
    EXPECT_EQ(upload(std::vector<uint8_t>(31, 0), DXT1, 6, 6).size(), 0u);

    // A PVR file of 64 x 64 4-bit PVRTC: seven levels, each read where the one before ended.
    auto chain = upload(pvrFile(64, 64, 0x19, 4, 2048 + 512 + 128 + 4 * 32), PVRTC_4BPP);
    ASSERT_EQ(chain.size(), 7u);
    const size_t sizes[] = {2048, 512, 128, 32, 32, 32, 32};
    size_t offset = 52;
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(chain[i].level, static_cast<int32_t>(i));
        EXPECT_EQ(chain[i].width, 64 >> i);
        EXPECT_EQ(chain[i].sourceOffset, offset);
        EXPECT_EQ(chain[i].sourceBytes, sizes[i]);
        offset += sizes[i];
    }

    auto wide = upload(pvrFile(256, 128, 0x12, 32, 256 * 128 * 4 * 2), PVRTC_4BPP);
    ASSERT_EQ(wide.size(), 8u);
    EXPECT_EQ(wide.back().width, 2);
    EXPECT_EQ(wide.back().height, 1);

    // A DXT5 DDS file: 8 x 8 then 4 x 4 and the rest, block data after the 128-byte header.
    auto dds = upload(ddsFile(8, 8, 0, "DXT5", 64), DXT5);
    ASSERT_EQ(dds.size(), 1u);
    EXPECT_EQ(dds[0].sourceOffset, 128u);
}

TEST(CompressedUpload, InputThatCannotBeTrustedUploadsNothingOrEndsTheChain) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        int32_t internalformat;
        size_t levels;
        int32_t maxTextureSize = 4096;
    };
    auto headerPastData = ddsFile(4, 4, 1, "DXT1", 8);
    khronostest::put32(headerPastData, 4, 0x7FFFFFF0);
    const Case cases[] = {
        {"a PVR header alone", pvrFile(8, 8, 0x19, 4, 0), PVRTC_4BPP, 0},
        {"an unknown PVR pixel type", pvrFile(8, 8, 0x14, 16, 128), PVRTC_4BPP, 0},
        {"a second level that does not fit", pvrFile(8, 8, 0x19, 4, 32 + 16), PVRTC_4BPP, 1},
        {"a level wider than GL allows", pvrFile(8, 8, 0x12, 32, 512), PVRTC_4BPP, 0, 4},
        {"an unknown DDS FourCC", ddsFile(4, 4, 1, "ATI2", 16), DXT1, 0},
        {"a DDS header past the data", headerPastData, DXT1, 0},
        {"DDS levels beyond the data", ddsFile(8, 8, 4, "DXT1", 32 + 8), DXT1, 2},
        {"uncompressed RGB flagged in DDS", [] {
             auto rgb = ddsFile(4, 4, 1, "DXT1", 8);
             khronostest::put32(rgb, 80, 0x40);
             return rgb;
         }(), DXT1, 0},
        {"a huge PVR side", pvrFile(0x80000000u, 8, 0x12, 32, 64), PVRTC_4BPP, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(upload(c.data, c.internalformat, 0, 0, c.maxTextureSize).size(), c.levels);
    }
}

TEST(CompressedUpload, OtherFormatsPassThroughUnchanged) {
    std::vector<uint8_t> data(20, 7);
    std::vector<TextureLevel> seen;
    uploadCompressed({2, 0x8D64, 4, 4, 0}, data, 4096, [&](const TextureLevel& level) { seen.push_back(level); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].compressed);
    EXPECT_EQ(seen[0].level, 2);
    EXPECT_EQ(seen[0].pixels.data(), data.data());
    EXPECT_EQ(seen[0].pixels.size(), 20u);
}
