#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/lcdui/tests/HostileJPEG.h"
#include "runtime/lcdui/tests/TestPictures.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using lcduitest::PNGDescription;

namespace {

enum class Transparency { None, Masked, Translucent };

PNGDescription describe(int colourType, int bitDepth, Transparency transparency, bool interlaced, uint32_t seed) {
    std::mt19937 random(seed);
    PNGDescription d;
    d.width = 13;
    d.height = 9;
    d.colourType = colourType;
    d.bitDepth = bitDepth;
    d.interlaced = interlaced;
    const int channels = lcduitest::channelsOf(colourType);
    const uint32_t limit = colourType == PNG_COLOR_TYPE_PALETTE ? std::min(1u << bitDepth, 256u) : 1u << bitDepth;
    for (uint32_t i = 0; i < d.width * d.height * channels; ++i) d.samples.push_back(random() % limit);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        for (uint32_t i = 0; i < limit; ++i)
            d.palette.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
        if (transparency != Transparency::None) {
            // Entry 0 is used by pixel 0, so at least one pixel takes the special alpha.
            d.samples[0] = 0;
            d.paletteAlpha = {0, uint8_t(transparency == Transparency::Translucent ? 128 : 255)};
            d.samples[1] = 1;
        }
    } else if (transparency == Transparency::Masked && (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_RGB)) {
        d.hasTransparentColour = true;
        if (colourType == PNG_COLOR_TYPE_GRAY) {
            d.transparentColour.gray = d.samples[0];
        } else {
            d.transparentColour.red = d.samples[0];
            d.transparentColour.green = d.samples[1];
            d.transparentColour.blue = d.samples[2];
        }
    }
    return d;
}

// The pixel word the decoder must give, worked out from the samples without libpng.
uint32_t expectedWord(const PNGDescription& d, uint32_t x, uint32_t y) {
    const int channels = lcduitest::channelsOf(d.colourType);
    const uint16_t* s = &d.samples[(y * d.width + x) * channels];
    auto to8 = [&](uint32_t v) -> uint32_t {
        if (d.bitDepth == 16) return v >> 8;
        if (d.bitDepth == 8) return v;
        return v * 255 / ((1u << d.bitDepth) - 1);
    };
    uint32_t r, g, b, a = 255;
    switch (d.colourType) {
        case PNG_COLOR_TYPE_GRAY:
            r = g = b = to8(s[0]);
            if (d.hasTransparentColour && s[0] == d.transparentColour.gray) a = 0;
            break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            r = g = b = to8(s[0]);
            a = to8(s[1]);
            break;
        case PNG_COLOR_TYPE_RGB:
            r = to8(s[0]), g = to8(s[1]), b = to8(s[2]);
            if (d.hasTransparentColour && s[0] == d.transparentColour.red && s[1] == d.transparentColour.green &&
                s[2] == d.transparentColour.blue)
                a = 0;
            break;
        case PNG_COLOR_TYPE_PALETTE:
            r = d.palette[s[0]].red, g = d.palette[s[0]].green, b = d.palette[s[0]].blue;
            if (s[0] < d.paletteAlpha.size()) a = d.paletteAlpha[s[0]];
            break;
        default:
            r = to8(s[0]), g = to8(s[1]), b = to8(s[2]), a = to8(s[3]);
            break;
    }
    return r | g << 8 | b << 16 | a << 24;
}

JavaPtr<Image> decodeBytes(const std::vector<uint8_t>& bytes) { return Image::decode(bytes); }

JavaPtr<JArray<signed char>> byteArray(const std::vector<uint8_t>& bytes) {
    auto array = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(array->data));
    return array;
}

}  // namespace

TEST(ImagePNG, EveryColourTypeAndDepthDecodesToExactPixelWordsAndFlags) {
    struct Kind {
        int colourType;
        std::vector<int> depths;
        std::vector<Transparency> transparencies;
    };
    const Kind kinds[] = {
        {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, {Transparency::None, Transparency::Masked}},
        {PNG_COLOR_TYPE_RGB, {8, 16}, {Transparency::None, Transparency::Masked}},
        {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, {Transparency::None, Transparency::Masked, Transparency::Translucent}},
        {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}, {Transparency::None}},
        {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}, {Transparency::None}},
    };
    uint32_t seed = 1;
    for (const Kind& kind : kinds)
        for (int depth : kind.depths)
            for (Transparency transparency : kind.transparencies)
                for (bool interlaced : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "type " << kind.colourType << " depth " << depth
                                                    << " transparency " << int(transparency) << " interlaced "
                                                    << interlaced);
                    const PNGDescription d = describe(kind.colourType, depth, transparency, interlaced, seed++);
                    const auto image = decodeBytes(lcduitest::encodePNG(d));
                    ASSERT_TRUE(image);
                    ASSERT_EQ(image->getWidth(), 13);
                    ASSERT_EQ(image->getHeight(), 9);
                    bool anyZero = false, anyMiddle = false;
                    for (uint32_t y = 0; y < d.height; ++y)
                        for (uint32_t x = 0; x < d.width; ++x) {
                            const uint32_t expected = expectedWord(d, x, y);
                            ASSERT_EQ(image->pixels[y * d.width + x], expected) << x << "," << y;
                            anyZero |= expected >> 24 == 0;
                            anyMiddle |= (expected >> 24) != 0 && (expected >> 24) != 255;
                        }
                    EXPECT_EQ(image->hasTranslucentPixels, anyMiddle);
                    EXPECT_EQ(image->hasTransparentPixels, anyZero && !anyMiddle);
                    EXPECT_FALSE(image->isMutable());
                }
}

TEST(ImagePNG, EveryPrefixAndADamagedChecksumFailCleanly) {
    const auto bytes = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_RGB_ALPHA, 8, Transparency::None, true, 99));
    ASSERT_TRUE(decodeBytes(bytes));
    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_FALSE(decodeBytes({bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length)})) << length;
    // IHDR's checksum sits at bytes 29-32, and the last IDAT's ends 16 bytes before the file does.
    for (size_t at : {size_t{30}, bytes.size() - 14}) {
        auto damaged = bytes;
        damaged[at] ^= 0x40;
        EXPECT_FALSE(decodeBytes(damaged)) << at;
    }
}

TEST(ImagePNG, OffsetAndLengthAreRespected) {
    const auto png = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_RGB, 8, Transparency::None, false, 5));
    std::vector<uint8_t> padded(7, 0xEE);
    padded.insert(padded.end(), png.begin(), png.end());
    padded.insert(padded.end(), 9, 0xEE);
    const auto array = byteArray(padded);
    EXPECT_TRUE(Image::createImage(array, 7, static_cast<int32_t>(png.size())));
    EXPECT_FALSE(Image::createImage(array, 7, static_cast<int32_t>(png.size()) - 1));
    EXPECT_FALSE(Image::createImage(array, 6, static_cast<int32_t>(png.size())));
    EXPECT_THROW(Image::createImage(array, 7, static_cast<int32_t>(padded.size())), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(Image::createImage(array, -1, 3), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_FALSE(Image::createImage(byteArray({'G', 'I', 'F', '8', '9', 'a'}), 0, 6));
}

TEST(ImagePNG, AbsurdSizesAreRefusedBeforeDecoding) {
    for (const auto& [w, h] : {std::pair{100000u, 1u}, std::pair{16384u, 16384u}, std::pair{10000u, 6000u}}) {
        // A valid header and one tiny IDAT: the claimed size cannot come from so little data.
        PNGDescription d;
        d.width = 1;
        d.height = 1;
        d.colourType = PNG_COLOR_TYPE_GRAY;
        d.samples = {0};
        auto bytes = lcduitest::encodePNG(d);
        auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
        };
        put32(16, w);
        put32(20, h);
        put32(29, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data() + 12, 17)));
        EXPECT_FALSE(decodeBytes(bytes)) << w << "x" << h;
    }
}

TEST(ImagePNG, PaletteIndicesPastThePaletteAreRefused) {
    PNGDescription d = describe(PNG_COLOR_TYPE_PALETTE, 4, Transparency::None, false, 4);
    d.palette.resize(3);
    for (uint16_t& sample : d.samples) sample %= 3;
    ASSERT_TRUE(decodeBytes(lcduitest::encodePNG(d)));
    d.samples.back() = 3;
    const auto bytes = lcduitest::encodePNG(d);
    ASSERT_FALSE(bytes.empty());
    EXPECT_FALSE(decodeBytes(bytes));
}

// Both were once decoded: the first with 641 MiB resident, the second in 8 to 9 seconds.
TEST(ImageJPEG, HostileProgressivePicturesAreRefusedAndOrdinaryOnesDecode) {
    using lcduitest::ProgressiveJPEGWriter;
    const auto ordinary = decodeBytes(ProgressiveJPEGWriter::write(64, 32, 5, 1));
    ASSERT_TRUE(ordinary);
    EXPECT_EQ(ordinary->getWidth(), 64);
    EXPECT_EQ(ordinary->getHeight(), 32);
    // Past the decoded-pixel cap, though within both side limits.
    EXPECT_FALSE(decodeBytes(ProgressiveJPEGWriter::write(16384, 4096, 1, 0)));
    // 14 + 3 x 63 x 11 = 2093 near-empty scans.
    EXPECT_FALSE(decodeBytes(ProgressiveJPEGWriter::write(4096, 4096, 63, 10)));
}

// The coefficient buffers of every component are held whole, 128 bytes per 8 x 8 block, within the
// decoder's 64 MiB: at 4096 x 4096 grey needs 32 MiB and 4:2:0 48 MiB, 4:2:2 64 MiB and 4:4:4 96 MiB.
TEST(ImageJPEG, LargestProgressivePicturesDecodeWhenTheirCoefficientsFit) {
    using Sampling = lcduitest::ProgressiveJPEGWriter::Sampling;
    const struct {
        Sampling sampling;
        bool decodes;
    } cases[] = {
        {Sampling::GREY, true},
        {Sampling::YCBCR_420, true},
        {Sampling::YCBCR_422, false},
        {Sampling::YCBCR_444, false},
    };
    for (const auto& c : cases) {
        const auto image = decodeBytes(lcduitest::ProgressiveJPEGWriter::write(4096, 4096, 1, 0, c.sampling));
        EXPECT_EQ(image != nullptr, c.decodes) << static_cast<int>(c.sampling);
        if (image) EXPECT_EQ(image->getWidth(), 4096);
    }
}

TEST(ImageJPEG, DecodesOpaqueAndFailsCleanlyOnEveryPrefix) {
    auto colourAt = [](int x, int y) -> uint32_t { return x < 8 ? 0xFF0000 : (y < 8 ? 0x00FF00 : 0x0000FF); };
    const auto jpeg = lcduitest::encodeJPEG(16, 16, 100, colourAt);
    const auto image = decodeBytes(jpeg);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->getWidth(), 16);
    ASSERT_EQ(image->getHeight(), 16);
    EXPECT_FALSE(image->hasTransparentPixels || image->hasTranslucentPixels);
    auto near = [](uint32_t word, uint32_t rgb) {
        const int dr = int(word & 0xFF) - int(rgb >> 16), dg = int(word >> 8 & 0xFF) - int(rgb >> 8 & 0xFF),
                  db = int(word >> 16 & 0xFF) - int(rgb & 0xFF);
        return (word >> 24) == 255 && std::abs(dr) < 24 && std::abs(dg) < 24 && std::abs(db) < 24;
    };
    EXPECT_TRUE(near(image->pixels[2 + 2 * 16], 0xFF0000));
    EXPECT_TRUE(near(image->pixels[12 + 2 * 16], 0x00FF00));
    EXPECT_TRUE(near(image->pixels[12 + 12 * 16], 0x0000FF));
    for (size_t length = 0; length < jpeg.size(); ++length)
        ASSERT_FALSE(decodeBytes({jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(length)})) << length;
}

TEST(ImageJPEG, BridgeReportsZeroSizeForDataThatIsNoJPEG) {
    const uint8_t bytes[] = {0xFF, 0xD8, 1, 2, 3, 4, 5, 6};
    int32_t width = 7, height = 7;
    EXPECT_EQ(decodeJPEGtoRGB(bytes, sizeof bytes, &width, &height), nullptr);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(ImageStream, ReadsExactlyOnePictureAtATime) {
    const auto first = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_GRAY, 8, Transparency::None, false, 1));
    const auto second = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_PALETTE, 4, Transparency::Masked, true, 2));
    auto both = first;
    both.insert(both.end(), second.begin(), second.end());
    auto stream = java::lang::jnew<java::io::ByteArrayInputStream>(byteArray(both));
    const auto one = Image::createImage(JavaPtr<java::io::InputStream>(stream));
    ASSERT_TRUE(one);
    EXPECT_FALSE(one->hasTransparentPixels);
    EXPECT_EQ(stream->available(), static_cast<int32_t>(second.size()));
    const auto two = Image::createImage(JavaPtr<java::io::InputStream>(stream));
    ASSERT_TRUE(two);
    EXPECT_TRUE(two->hasTransparentPixels);
    EXPECT_FALSE(Image::createImage(JavaPtr<java::io::InputStream>(stream)));

    // A JPEG is counted out to its end marker too: what follows stays in the stream, and a
    // stuffed 0xFF or a marker-like pair inside its scans does not end it early.
    auto jpeg = lcduitest::encodeJPEG(16, 8, 90, [](int x, int y) { return x * 0x0F1F2Fu + y * 0xFFu; });
    const size_t jpegSize = jpeg.size();
    jpeg.insert(jpeg.end(), second.begin(), second.end());
    auto jpegStream = java::lang::jnew<java::io::ByteArrayInputStream>(byteArray(jpeg));
    EXPECT_TRUE(Image::createImage(JavaPtr<java::io::InputStream>(jpegStream)));
    EXPECT_EQ(jpegStream->available(), static_cast<int32_t>(jpeg.size() - jpegSize));
    EXPECT_TRUE(Image::createImage(JavaPtr<java::io::InputStream>(jpegStream)));
}

TEST(ImageStream, TruncatedOrUnknownStreamsEndWithNull) {
    const auto png = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_RGB, 8, Transparency::None, false, 3));
    for (size_t length : {size_t{1}, size_t{8}, size_t{20}, png.size() / 2, png.size() - 1}) {
        auto stream = java::lang::jnew<java::io::ByteArrayInputStream>(
            byteArray({png.begin(), png.begin() + static_cast<ptrdiff_t>(length)}));
        EXPECT_FALSE(Image::createImage(JavaPtr<java::io::InputStream>(stream))) << length;
    }
    // A bitmap header claiming an enormous picture is refused without reading it all.
    std::vector<uint8_t> bmp = {'B', 'M'};
    bmp.resize(26, 0);
    bmp[18] = bmp[19] = bmp[20] = 0xFF, bmp[21] = 0x7F;
    bmp[22] = bmp[23] = bmp[24] = 0xFF, bmp[25] = 0x7F;
    EXPECT_FALSE(Image::createImage(JavaPtr<java::io::InputStream>(java::lang::jnew<java::io::ByteArrayInputStream>(byteArray(bmp)))));
    EXPECT_FALSE(Image::createImage(JavaPtr<java::io::InputStream>(java::lang::jnew<java::io::ByteArrayInputStream>(byteArray({'G', 'I', 'F'})))));
}

TEST(ImageFile, ReadsBundleFilesAndReportsMissingOnes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexivo-lcdui-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path root = pattern;
    std::filesystem::create_directory(root / "bundle");
    java::io::FileSystem::setDirectories((root / "bundle").string(), (root / "documents").string());
    const auto png = lcduitest::encodePNG(describe(PNG_COLOR_TYPE_RGB, 8, Transparency::None, false, 4));
    std::ofstream(root / "bundle" / "pic_png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
    std::ofstream(root / "bundle" / "junk", std::ios::binary) << "not a picture";

    EXPECT_TRUE(Image::createImage(java::lang::jnew<java::lang::String>("/pic.png")));
    EXPECT_THROW(Image::createImage(java::lang::jnew<java::lang::String>("/missing.png")), java::io::IOException);
    EXPECT_THROW(Image::createImage(java::lang::jnew<java::lang::String>("/junk")), java::io::IOException);
    std::filesystem::remove_all(root);
}
