// The loading thread fills and frees cache slots and font slots while the drawing thread reads them,
// and drops pixels over the cache's bound while the drawing thread decodes them again.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"
#include "tools/writers/EncodedImageFile.h"
#include "tools/writers/FrameworkFontFile.h"

namespace {

using javax::microedition::lcdui::Graphics;

class ImageCacheThreadTest : public BundleFixture {};

TEST_F(ImageCacheThreadTest, LoadingWhileDrawingSeesWholeSlots) {
    writers::ResourceBundle bundle(1);
    const int32_t block = bundle.addBlock(0);
    writers::FrameworkFont font;
    font.characters = u"ab";
    font.advances = {4, 4};
    font.glyphs = {{"##", "##"}, {"#"}};
    const int32_t fontId = font.addTo(bundle, block);
    install(bundle);
    ImageCache images(resources);
    FrameworkFonts fonts(resources, images);
    fonts.screenHeight = [] { return 480; };
    std::vector<uint32_t> pixels(64 * 64);
    JavaPtr<Graphics> g(new Graphics());
    g->setTarget(pixels.data(), 64, 64, 64);
    g->setClip(0, 0, 64, 64);

    std::atomic<bool> done{false};
    std::thread loader([&] {
        for (int round = 0; round < 200; ++round) {
            resources.loadResourceBlock(block);
            const int32_t slot = fonts.loadBitmapFont(fontId, -1);
            images.getImage(fontId + 2, -1, 0);
            fonts.unloadFont(slot);
            resources.unloadResourceBlock(block);
            resources.unloadUnusedResourcePacks();
        }
        done = true;
    });
    const auto text = java::lang::jnew<java::lang::String>("abba");
    while (!done) {
        fonts.setFont(g, 0);
        fonts.drawString(g, text, 1, 1, Graphics::TOP | Graphics::LEFT, -1);
        fonts.getStringWidth(0, text);
        images.getImageDimension(0, 1, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_WIDTH);
        resources.getResourceByteArray(fontId);
    }
    loader.join();
    EXPECT_FALSE(resources.packCached(0));
    EXPECT_EQ(images.currentImageTransforms(0), 0);
}

TEST_F(ImageCacheThreadTest, DroppedPixelsDecodeAgainWhileTheLoaderFillsSlots) {
    writers::ResourceBundle bundle(0);
    writers::EncodedImage image;
    image.width = 8, image.height = 4;
    for (int32_t i = 0; i < 32; ++i) image.pixels.push_back(uint32_t(i % 2));
    const int32_t id = bundle.addResource(-1, image.bytes());
    bundle.addResource(-1, writers::paletteFile({0xFF000000, 0xFFFFFFFF}));
    install(bundle);
    // Nothing is kept beyond the slots drawn in the last two frames.
    ImageCache images(resources, 0);
    const int32_t drawn = images.loadImageID(id, -1, 1, false);
    const auto expected = pixelsOf(images.view(drawn).images->data[0]);

    std::atomic<bool> done{false};
    std::thread loader([&] {
        for (int round = 0; round < 200; ++round) {
            const int32_t cells = images.loadImageID(id, -1, 1, true);
            images.getImage(id);
            images.unloadImageID(cells);
        }
        done = true;
    });
    int32_t draws = 0, whole = 0;
    for (int32_t frame = 1; !done || draws < 2; ++frame) {
        images.nextFrame();
        if (frame % 3) continue;
        const auto view = images.view(drawn);
        ++draws;
        whole += view.images && pixelsOf(view.images->data[0]) == expected;
    }
    loader.join();
    EXPECT_EQ(whole, draws) << "every draw found the slot's pixels, kept or decoded again";
}

}  // namespace
