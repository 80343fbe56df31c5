// In-memory PNGs: checksums against zlib, the exact bytes of a small palette file, the stored-block
// layout for long rows, colour types, and what the platform decoder makes of the result.
#include <gtest/gtest.h>

#include <zlib.h>

#include <string>

#include "app/framework/PngBuilder.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lang/Exceptions.h"

namespace {

using Bytes = std::vector<uint8_t>;
using javax::microedition::lcdui::Image;

void put32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}
void chunk(Bytes& out, const std::string& type, const Bytes& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    Bytes typed(type.begin(), type.end());
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    put32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

TEST(PngChecksumTest, CrcAndAdlerMatchZlibAndSkipTheHeadersBetweenBlocks) {
    const Bytes samples[] = {{}, {'I', 'E', 'N', 'D'}, Bytes(1000, 0xFF), Bytes(70000, 0x5A), {0, 1, 2, 250}};
    for (const Bytes& data : samples) {
        const auto a = byteArray(data);
        const int32_t n = static_cast<int32_t>(data.size());
        EXPECT_EQ(uint32_t(PngBuilder::pngCalcCrc(a, n, n)), n ? crc32(0, data.data(), n) : 0u) << n;
        EXPECT_EQ(uint32_t(PngBuilder::pngCalcAdler(a, n, n, n + 1)), adler32(1, data.data(), n)) << n;
    }
    EXPECT_EQ(uint32_t(PngBuilder::pngCalcCrc(byteArray({'I', 'E', 'N', 'D'}), 4, 4)), 0xAE426082u);
    EXPECT_EQ(PngBuilder::pngCalcAdler(byteArray({1}), 1, 0, 4), 1);
    // Blocks of 3 bytes, each followed by the next block's 5 header bytes, which the sum skips.
    const Bytes spread = {1, 2, 3, 9, 9, 9, 9, 9, 4, 5, 6, 9, 9, 9, 9, 9, 7, 8}, data = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(uint32_t(PngBuilder::pngCalcAdler(byteArray(spread), 18, 18, 3)), adler32(1, data.data(), 8));
    EXPECT_THROW(PngBuilder::pngCalcCrc(byteArray(spread), 19, 4), java::lang::ArrayIndexOutOfBoundsException);
}

TEST(PngBuilderTest, SmallPaletteFileIsByteExact) {
    const Bytes palette = {0xFF, 0x10, 0x20, 0x30, 0x80, 0xA0, 0xB0, 0xC0};
    const Bytes indices = {0, 1, 1, 0};
    const auto png = PngBuilder::pngCreateByteArray(2, 2, 8, byteArray(palette), byteArray(indices), false);

    Bytes expected = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    chunk(expected, "IHDR", {0, 0, 0, 2, 0, 0, 0, 2, 8, 3, 0, 0, 0});
    chunk(expected, "PLTE", {0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0});
    chunk(expected, "tRNS", {0xFF, 0x80});
    const Bytes rows = {0, 0, 1, 0, 1, 0};
    Bytes stream = {0x78, 0xDA, 0x01, 0x06, 0x00, 0xF9, 0xFF};
    stream.insert(stream.end(), rows.begin(), rows.end());
    put32(stream, static_cast<uint32_t>(adler32(1, rows.data(), 6)));
    chunk(expected, "IDAT", stream);
    chunk(expected, "IEND", {});
    ASSERT_EQ(png->length, 106);
    EXPECT_EQ(bytesOf(png), expected);

    EXPECT_EQ(pixelsOf(Image::createImage(png, 0, png->length)),
              (std::vector<uint32_t>{0xFF102030, 0x80A0B0C0, 0x80A0B0C0, 0xFF102030}));
}

// Walks the stored blocks of the IDAT stream: each block's final flag and length.
std::vector<std::pair<int, int>> storedBlocks(const Bytes& png, size_t streamAt) {
    std::vector<std::pair<int, int>> blocks;
    size_t at = streamAt + 2;
    for (;;) {
        const int final = png.at(at), length = png.at(at + 1) | png.at(at + 2) << 8;
        blocks.push_back({final, length});
        at += 5 + length;
        if (final) return blocks;
    }
}

TEST(PngBuilderTest, StoredBlocksHoldWholeRowsUpTo64000BytesAndSplitLongerRows) {
    struct Case {
        int32_t width, height;
        bool alpha;
        std::vector<std::pair<int, int>> blocks;
    };
    // Colour rows: width x 3 bytes without alpha, x 4 with it, plus the filter byte.
    const Case cases[] = {
        {2, 2, false, {{1, 14}}},
        {500, 100, true, {{0, 62031}, {0, 62031}, {0, 62031}, {1, 14007}}},  // rows of 2000 + 1 bytes
        {21333, 3, false, {{0, 64000}, {0, 64000}, {1, 64000}}},             // 63999 + 1: a row per block
        {16001, 2, true, {{0, 64000}, {0, 64000}, {1, 10}}},                 // 64004 + 1: rows straddle blocks
        {3, 0, false, {{1, 0}}},
    };
    for (const Case& c : cases) {
        const int64_t pixels = int64_t{c.width} * c.height;
        Bytes colours(static_cast<size_t>(4 * pixels));
        for (int64_t p = 0; p < pixels; ++p) {
            colours[4 * p] = c.alpha && p == pixels - 1 ? 0x7F : 0xFF;
            colours[4 * p + 1] = static_cast<uint8_t>(p), colours[4 * p + 2] = static_cast<uint8_t>(p >> 8);
            colours[4 * p + 3] = static_cast<uint8_t>(p >> 16);
        }
        const auto png = PngBuilder::pngCreateByteArray(c.width, c.height, byteArray(colours));
        const Bytes file = bytesOf(png);
        EXPECT_EQ(file[25], c.alpha ? 6 : 2) << c.width;
        EXPECT_EQ(storedBlocks(file, 41), c.blocks) << c.width;
        const uLong streamLength = file[33] << 24 | file[34] << 16 | file[35] << 8 | file[36];
        EXPECT_EQ(file.size(), 57 + streamLength);
        uLongf unpackedLength = static_cast<uLongf>((c.width * (c.alpha ? 4 : 3) + 1) * c.height);
        Bytes unpacked(unpackedLength + 1);
        EXPECT_EQ(uncompress(unpacked.data(), &unpackedLength, file.data() + 41, streamLength), Z_OK) << c.width;
        if (pixels == 0 || c.width > Image::MAX_SIDE) continue;
        const std::vector<uint32_t> decoded = pixelsOf(Image::createImage(png, 0, png->length));
        ASSERT_EQ(decoded.size(), static_cast<size_t>(pixels)) << c.width;
        int64_t wrong = 0;
        for (int64_t p = 0; p < pixels; ++p)
            wrong += decoded[p] != (uint32_t(colours[4 * p]) << 24 | colours[4 * p + 1] << 16 |
                                    colours[4 * p + 2] << 8 | colours[4 * p + 3]);
        EXPECT_EQ(wrong, 0) << c.width;
    }
}

TEST(PngBuilderTest, ShortArraysAndEmptyImagesFailCleanly) {
    EXPECT_THROW(PngBuilder::pngCreateByteArray(4, 4, byteArray(Bytes(60))), java::lang::IllegalArgumentException);
    EXPECT_THROW(PngBuilder::pngCreateByteArray(4, 4, 8, byteArray(Bytes(8)), byteArray(Bytes(15)), false),
                 java::lang::IllegalArgumentException);
    EXPECT_THROW(PngBuilder::pngCreateByteArray(1, 1, 8, byteArray(Bytes(4 * 257)), byteArray({0}), false),
                 java::lang::IllegalArgumentException);
    EXPECT_EQ(PngBuilder::pngCreateImage(0, 3, byteArray({})), nullptr);
}

}  // namespace
