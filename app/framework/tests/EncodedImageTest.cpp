// Every encoded-image form, written by the shared writer, decodes to exactly its pixels; damaged
// data is refused with IOException.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/framework/EncodedImage.h"
#include "app/framework/ImageCache.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/io/IOException.h"
#include "runtime/lcdui/Image.h"
#include "tools/writers/EncodedImageFile.h"
#include "tools/writers/PngFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Colours = std::vector<uint32_t>;
using Form = writers::EncodedImage::Form;
using java::io::IOException;

Colours paletteOf(int32_t colours) {
    Colours palette;
    for (int32_t i = 0; i < colours; ++i)
        palette.push_back((i % 5 == 3 ? 0x80000000u : 0xFF000000u) | uint32_t(i * 0x010305 + 0x102030));
    return palette;
}

// Indices with long runs (even rows) and short ones (odd rows).
std::vector<uint32_t> indexPattern(int32_t w, int32_t h, int32_t colours) {
    std::vector<uint32_t> px;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) px.push_back(y % 2 ? uint32_t(x * 7 + y) % colours : uint32_t(y / 2) % colours);
    return px;
}

Colours colourPattern(int32_t w, int32_t h) {
    Colours px;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            px.push_back(y % 2 ? 0xFF000000u | uint32_t(x * 0x030507 + y) : (x < w / 2 ? 0x80FF0000u : 0xFF00FF00u));
    return px;
}

class EncodedImageTest : public BundleFixture {
protected:
    // Loads the resource through the cache and returns the slot's whole image pixels.
    Colours load(const Bytes& image, const Colours& palette) {
        writers::ResourceBundle bundle(0);
        const int32_t id = bundle.addResource(-1, image);
        bundle.addResource(-1, writers::paletteFile(palette));
        install(bundle);
        ImageCache cache(resources);
        const int32_t slot = cache.loadImageID(id, -1, 1, false);
        if (slot < 0) return {};
        return pixelsOf(cache.image_cache_images->data[slot]->data[0]);
    }
};

TEST_F(EncodedImageTest, EveryFormDecodesToItsExactPixels) {
    const int32_t w = 300, h = 6;
    // colours: the palette's size for indexed pixels; 0 for full colour.
    auto pixels = [&](int32_t colours, bool runLength, Form form = Form::Pixels) {
        writers::EncodedImage image;
        image.form = form, image.width = w, image.height = h, image.runLength = runLength;
        image.fullColour = colours == 0, image.paletteColours = colours ? colours : 2;
        image.pixels = colours ? indexPattern(w, h, colours) : colourPattern(w, h);
        return image;
    };
    auto png = [&](Form form) {
        writers::EncodedImage image;
        image.form = form, image.png = writers::pngFile(w, h, colourPattern(w, h));
        return image;
    };
    writers::EncodedImage withCells = pixels(16, true);
    withCells.cellsAcross = 3, withCells.cellsDown = 2;
    for (int32_t c = 0; c < 6; ++c) withCells.cells.push_back({(c % 3) * 100 + 1, (c / 3) * 3, 98, 2});
    const std::pair<const char*, writers::EncodedImage> cases[] = {
        {"png", png(Form::Png)},
        {"zero then png", png(Form::ZeroThenPng)},
        {"1 bit run-length", pixels(2, true)},
        {"1 bit raw", pixels(2, false)},
        {"2 bits run-length", pixels(3, true)},
        {"2 bits raw", pixels(4, false)},
        {"4 bits run-length", pixels(16, true)},
        {"4 bits raw", pixels(9, false)},
        {"8 bits run-length", pixels(17, true)},
        {"8 bits raw", pixels(256, false)},
        {"full colour run-length", pixels(0, true)},
        {"full colour raw", pixels(0, false)},
        {"png rows with a separate palette", pixels(200, true, Form::PngRowsNoPalette)},
        {"header with cells", withCells},
    };
    for (const auto& [name, image] : cases) {
        const bool indexed = image.png.empty() && !image.fullColour;
        const Colours palette = paletteOf(indexed ? image.paletteColours : 2);
        Colours expected = colourPattern(w, h);
        if (indexed)
            for (size_t p = 0; p < expected.size(); ++p) expected[p] = palette[image.pixels[p]];
        EXPECT_EQ(load(image.bytes(), palette), expected) << name;
    }
}

// Only the files the framework builds from decoded pixels skip their sums; a PNG from the bundle,
// and a file built around the bundle's own zlib rows, are checked in full.
TEST_F(EncodedImageTest, BundlePngsWithDamagedSumsAreRefused) {
    writers::EncodedImage png;
    png.form = Form::ZeroThenPng;
    png.png = writers::pngFile(4, 2, colourPattern(4, 2));
    writers::EncodedImage rows;
    rows.form = Form::PngRowsNoPalette;
    rows.width = 4, rows.height = 2, rows.paletteColours = 2, rows.pixels = indexPattern(4, 2, 2);
    const Colours palette = paletteOf(2);
    ASSERT_FALSE(load(png.bytes(), palette).empty());
    ASSERT_FALSE(load(rows.bytes(), palette).empty());
    auto damaged = [](Bytes bytes, size_t fromEnd) {
        bytes[bytes.size() - fromEnd] ^= 0x10;
        return bytes;
    };
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"IHDR CRC", damaged(png.bytes(), png.bytes().size() - 30)},  // after the 0 byte, at 29 in the PNG
        {"IDAT CRC", damaged(png.bytes(), 14)},                        // IEND takes the last 12 bytes
        {"Adler-32 of the rows", damaged(rows.bytes(), 1)},
    };
    for (const auto& c : cases) EXPECT_THROW(load(c.bytes, palette), IOException) << c.name;
}

TEST(EncodedImageDecodeTest, RunsAndPackedIndicesFollowTheFormat) {
    struct Case {
        const char* name;
        Bytes data;
        int32_t width, colours;
        Bytes indices;
    };
    const Case cases[] = {
        {"1 bit run of 6", {0, 0x85}, 6, 2, {1, 1, 1, 1, 1, 1}},
        {"1 bit raw, least significant bit first", {1, 0x05}, 8, 2, {1, 0, 1, 0, 0, 0, 0, 0}},
        {"4 bits run of 16", {0, 0x3F}, 16, 16, Bytes(16, 3)},
        {"8 bits pairs", {0, 16, 2, 0, 0}, 4, 17, {16, 16, 16, 0}},
        {"2 bits raw", {1, 0xE4}, 4, 4, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        const auto out = EncodedImage::decodeImage(byteArray(c.data), 0, c.width, 1, c.colours);
        EXPECT_EQ(Bytes(reinterpret_cast<uint8_t*>(out->data), reinterpret_cast<uint8_t*>(out->data) + out->length),
                  c.indices)
            << c.name;
    }
    const auto colour = EncodedImage::decodeImage(byteArray({0, 0xFF, 0x10, 0x20, 0x30, 0x02}), 0, 3, 1);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(Bytes(colour->data + 4 * p, colour->data + 4 * p + 4), (Bytes{0xFF, 0x10, 0x20, 0x30}));
}

TEST(EncodedImageDecodeTest, DamagedDataIsRefused) {
    struct Case {
        const char* name;
        std::function<void()> decode;
    };
    auto paletted = [](Bytes data, int32_t width, int32_t colours) {
        return [=] { EncodedImage::decodeImage(byteArray(data), 0, width, 1, colours); };
    };
    auto classify = [](Bytes data) { return [=] { EncodedImage::classify(data); }; };
    const Case cases[] = {
        {"run past the last pixel", paletted({0, 0x85}, 5, 2)},
        {"runs end before the last pixel", paletted({0, 0x83}, 5, 2)},
        {"index outside a 3-colour palette", paletted({0, 0xC0}, 1, 3)},
        {"raw index outside a 3-colour palette", paletted({1, 0x03}, 1, 3)},
        {"palette of 257 colours", paletted({1, 0}, 1, 257)},
        {"palette without colours", paletted({1, 0}, 1, 0)},
        {"raw pixels end early", paletted({1, 0xFF}, 9, 2)},
        {"no encoding byte", paletted({}, 1, 2)},
        {"full colour run cut short", [] { EncodedImage::decodeImage(byteArray({0, 1, 2, 3}), 0, 1, 1); }},
        {"full colour raw short", [] { EncodedImage::decodeImage(byteArray({1, 1, 2, 3}), 0, 1, 1); }},
        {"zero width", classify({0x02, 0, 0, 0, 1, 0})},
        {"negative height", classify({0x02, 0, 1, 0xFF, 0xFF, 0})},
        {"header cut short", classify({0x02, 0, 1})},
        {"cell table cut short", classify({0x82, 0, 4, 0, 4, 0, 1, 0, 1, 0, 0})},
        {"cell crop leaves its cell", classify({0x82, 0, 4, 0, 4, 0, 2, 0, 1, 0, 1, 0, 0, 0, 2, 0, 1, 0, 2, 0, 0, 0, 2, 0, 1, 0})},
        {"no cells", classify({0x82, 0, 4, 0, 4, 0, 0, 0, 1})},
    };
    for (const Case& c : cases) EXPECT_THROW(c.decode(), IOException) << c.name;
}

}  // namespace
