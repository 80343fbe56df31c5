// The image cache: which loads share a slot, what getImage leaves behind, sizes of images and cells
// under every transform, where cells are drawn, and pixels dropped over the bound and decoded again.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/framework/ImageCache.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "tools/writers/EncodedImageFile.h"
#include "tools/writers/PngFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using javax::microedition::lcdui::Graphics;
using lcduitest::EventLog;
using lcduitest::RecordingGraphics;
using Log = std::vector<std::string>;

// A 100 x 40 image in a grid of 4 x 2 cells; cell 1 is cropped to (30, 5, 10, 12).
writers::EncodedImage gridImage() {
    writers::EncodedImage image;
    image.width = 100, image.height = 40, image.paletteColours = 4;
    image.cellsAcross = 4, image.cellsDown = 2;
    for (int32_t c = 0; c < 8; ++c) image.cells.push_back({(c % 4) * 25, (c / 4) * 20, 25, 20});
    image.cells[1] = {30, 5, 10, 12};
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 100; ++x) image.pixels.push_back(uint32_t(x / 25 + y / 20) % 4);
    return image;
}

class ImageCacheTest : public BundleFixture {
protected:
    void SetUp() override {
        BundleFixture::SetUp();
        writers::ResourceBundle bundle(0);
        grid = bundle.addResource(-1, gridImage().bytes());
        bundle.addResource(-1, writers::paletteFile({0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
        otherPalette = bundle.addResource(-1, writers::paletteFile({0xFFFFFFFF}));
        writers::EncodedImage png;
        png.form = writers::EncodedImage::Form::Png;
        png.png = writers::pngFile(2, 1, {0xFF112233, 0xFF445566});
        plainPng = bundle.addResource(-1, png.bytes());
        for (int i = 0; i < 257; ++i) {
            writers::EncodedImage one;
            one.width = 1, one.height = 1, one.fullColour = true, one.pixels = {0xFF000000u | uint32_t(i)};
            const int32_t id = bundle.addResource(-1, one.bytes());
            if (i == 0) firstTiny = id;
        }
        missing = bundle.addResource(-1, {1});
        install(bundle);
        std::filesystem::remove(this->bundle / ("ur" + std::to_string(missing)));
    }
    int32_t slotsInUse() {
        int32_t n = 0;
        for (int32_t s = 0; s < 256; ++s) n += cache.currentImageTransforms(s) == 255;
        return n;
    }

    ImageCache cache{resources};
    int32_t grid = 0, otherPalette = 0, plainPng = 0, firstTiny = 0, missing = 0;
};

TEST_F(ImageCacheTest, LoadsShareASlotOnlyUnderTheSameKey) {
    const int32_t a = cache.loadImageID(grid, -1, 1, false);
    std::filesystem::remove(this->bundle / ("ur" + std::to_string(grid)));
    EXPECT_EQ(cache.loadImageID(grid, grid + 1, 1, false), a) << "-1 names the palette at id + 1; no second decode";
    EXPECT_EQ(cache.currentImageTransforms(a), 255);
    EXPECT_EQ(cache.loadImageID(grid, -1, otherPalette, 1, false), -1)
        << "another alternative palette needs its own decode, and the file is gone";
    EXPECT_EQ(cache.loadImageID(grid, -1, 1, true), -1) << "one image per cell is another key";
    EXPECT_EQ(cache.loadImageID(missing, -1, 1, false), -1) << "a missing resource takes no slot";
    EXPECT_EQ(slotsInUse(), 1);
    cache.unloadImageID(a);
    EXPECT_EQ(cache.currentImageTransforms(a), 0);
}

TEST_F(ImageCacheTest, AlternativePaletteRecoloursTheStartOfThePalette) {
    const int32_t plain = cache.loadImageID(grid, -1, 1, false);
    const int32_t recoloured = cache.loadImageID(grid, -1, otherPalette, 1, false);
    ASSERT_NE(plain, recoloured);
    const auto before = pixelsOf(cache.image_cache_images->data[plain]->data[0]);
    const auto after = pixelsOf(cache.image_cache_images->data[recoloured]->data[0]);
    EXPECT_EQ(before[0], 0xFF000000u);
    EXPECT_EQ(after[0], 0xFFFFFFFFu) << "index 0 takes the alternative colour";
    EXPECT_EQ(after[25], before[25]) << "later colours stay";
}

TEST_F(ImageCacheTest, GetImageLeavesTheCacheAsItWas) {
    EXPECT_EQ(pixelsOf(cache.getImage(plainPng)), (std::vector<uint32_t>{0xFF112233, 0xFF445566}));
    EXPECT_EQ(slotsInUse(), 0);
    const int32_t held = cache.loadImageID(plainPng, -1, 1, false);
    EXPECT_TRUE(cache.getImage(plainPng));
    EXPECT_EQ(cache.currentImageTransforms(held), 255) << "a slot another load holds is not freed";
    EXPECT_FALSE(cache.getImage(plainPng, -1, 3)) << "only transform 0 names an image";
}

TEST_F(ImageCacheTest, AFullCacheAnswersMinusOne) {
    for (int i = 0; i < 256; ++i) ASSERT_EQ(cache.loadImageID(firstTiny + i, -1, 1, false), i);
    EXPECT_EQ(cache.loadImageID(firstTiny + 256, -1, 1, false), -1);
    EXPECT_EQ(cache.getImage(firstTiny + 256), nullptr);
    cache.unloadImageID(7);
    EXPECT_EQ(cache.loadImageID(firstTiny + 256, -1, 1, false), 7);
}

TEST_F(ImageCacheTest, DimensionsFollowEverySelectorAndTransform) {
    const int32_t slot = cache.loadImageID(grid, -1, 1, false);
    // Per transform: width, height, cell width, cell height, cropped width, height, left, top of cell 1.
    const int32_t expected[8][8] = {
        {100, 40, 25, 20, 10, 12, 30, 5},  {40, 100, 20, 25, 12, 10, 23, 30},
        {100, 40, 25, 20, 10, 12, 60, 23}, {40, 100, 20, 25, 12, 10, 5, 60},
        {100, 40, 25, 20, 10, 12, 60, 5},  {40, 100, 20, 25, 12, 10, 5, 30},
        {100, 40, 25, 20, 10, 12, 30, 23}, {40, 100, 20, 25, 12, 10, 23, 60},
    };
    const int32_t selectors[8] = {0, 1, 4, 5, 6, 7, 8, 9};
    for (int32_t t = 0; t < 8; ++t) {
        for (int32_t i = 0; i < 8; ++i)
            EXPECT_EQ(cache.getImageDimension(slot, 1, t, selectors[i]), expected[t][i])
                << "transform " << t << " selector " << selectors[i];
        EXPECT_EQ(cache.getImageDimension(slot, 1, t, ImageCache::IMAGEDIMENSION_NUM_CELLS_WIDE), 4);
        EXPECT_EQ(cache.getImageDimension(slot, 1, t, ImageCache::IMAGEDIMENSION_NUM_CELLS_HIGH), 2);
        EXPECT_EQ(cache.getImageDimension(slot, 1, t, 10), -1);
    }
    EXPECT_EQ(cache.getImageDimension(slot, 8, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_TL_X), -1);
    const int32_t png = cache.loadImageID(plainPng, -1, 1, false);
    EXPECT_EQ(cache.getImageDimension(png, 0, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_WIDTH), 2);
    EXPECT_EQ(cache.getImageDimension(png, 0, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_TL_Y), 0);
}

TEST_F(ImageCacheTest, CellsDrawAtTheirCropOffsetInsideTheAnchoredBox) {
    EventLog log;
    JavaPtr<Graphics> g(new RecordingGraphics(log));
    const int32_t whole = cache.loadImageID(grid, -1, 1, false);
    const int32_t cells = cache.loadImageID(grid, -1, 1, true);
    const int32_t png = cache.loadImageID(plainPng, -1, 1, true);
    cache.drawImageIDNoTransform(g, whole, 1, 0, 0, Graphics::TOP | Graphics::LEFT);
    cache.drawImageIDNoTransform(g, whole, 1, 0, 0, Graphics::HCENTER | Graphics::VCENTER);
    cache.drawImageID(g, whole, 1, 0, 100, 50, Graphics::RIGHT | Graphics::BOTTOM);
    cache.drawImageIDNoTransform(g, cells, 1, 0, 0, Graphics::TOP | Graphics::LEFT);
    cache.drawImageIDNoTransform(g, png, 3, 7, 8, Graphics::TOP | Graphics::LEFT);
    cache.drawImageIDNoTransform(g, 200, 0, 0, 0, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(log.take(), (Log{"drawRegion 100x40,30,5,10,12,0,5,5,20", "drawRegion 100x40,30,5,10,12,0,-7,-5,20",
                               "drawRegion 100x40,30,5,10,12,0,80,35,20", "drawImage 10x12,5,5,20",
                               "drawRegion 2x1,0,0,2,1,0,7,8,20"}))
        << "a PNG never cut into cells draws whole; a free slot draws nothing";
    EXPECT_EQ(pixelsOf(cache.image_cache_images->data[cells]->data[1]), std::vector<uint32_t>(120, 0xFFFF0000u));
}

TEST_F(ImageCacheTest, PixelsOverTheBoundAreDroppedAndDecodedAgainAlike) {
    ImageCache bounded(resources, 100 * 40 * 4);
    EventLog log;
    JavaPtr<Graphics> g(new RecordingGraphics(log));
    const int32_t recoloured = bounded.loadImageID(grid, -1, otherPalette, 1, false);
    const int32_t png = bounded.loadImageID(plainPng, -1, 1, false);
    const auto before = pixelsOf(bounded.image_cache_images->data[recoloured]->data[0]);
    bounded.nextFrame();
    EXPECT_EQ(bounded.decodedBytes(), 16008) << "slots drawn in this frame or the one before keep their pixels";
    bounded.drawImageIDNoTransform(g, png, 0, 0, 0, Graphics::TOP | Graphics::LEFT);
    bounded.nextFrame();
    EXPECT_FALSE(bounded.image_cache_images->data[recoloured]) << "the slot drawn least recently drops its pixels";
    EXPECT_TRUE(bounded.image_cache_images->data[png]);
    EXPECT_EQ(bounded.decodedBytes(), 8);
    EXPECT_EQ(bounded.currentImageTransforms(recoloured), 255) << "and stays in use";

    for (const int32_t id : {grid, grid + 1, otherPalette})
        std::filesystem::remove(this->bundle / ("ur" + std::to_string(id)));
    EXPECT_EQ(pixelsOf(bounded.getImage(grid, -1, otherPalette, 0)), before)
        << "decoded again from the kept bytes and recoloured palette, to the same pixels";
    EXPECT_EQ(bounded.decodedBytes(), 16008);
    bounded.nextFrame();
    bounded.nextFrame();
    EXPECT_FALSE(bounded.image_cache_images->data[png]);
    bounded.unloadImageID(png);
    EXPECT_EQ(bounded.currentImageTransforms(png), 0) << "a slot without pixels is freed like any other";
    EXPECT_EQ(bounded.decodedBytes(), 16000);
}

}  // namespace
