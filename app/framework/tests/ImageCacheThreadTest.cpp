// The loading thread fills and frees cache slots and font slots while the drawing thread reads them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"
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

}  // namespace
