#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/tests/GuardedCanvas.h"

using namespace javax::microedition::lcdui;
using lcduitest::GuardedCanvas;

namespace {

JavaPtr<Image> numberedImage(int32_t w, int32_t h) {
    auto rgb = java::lang::jnew<JArray<int>>(w * h);
    for (int32_t i = 0; i < w * h; ++i) rgb->data[i] = 0x010305 * (i + 1) + 0x100000;
    return Image::createRGBImage(rgb, w, h, false);
}

// Where source pixel (i, j) of a w x h region lands in the destination, per transform.
void landing(int32_t t, int32_t w, int32_t h, int32_t i, int32_t j, int32_t& u, int32_t& v) {
    switch (t) {
        case 1: u = i, v = h - 1 - j; break;
        case 2: u = w - 1 - i, v = j; break;
        case 3: u = w - 1 - i, v = h - 1 - j; break;
        case 4: u = j, v = i; break;
        case 5: u = h - 1 - j, v = i; break;
        case 6: u = j, v = w - 1 - i; break;
        case 7: u = h - 1 - j, v = w - 1 - i; break;
        default: u = i, v = j; break;
    }
}

}  // namespace

TEST(GraphicsBlit, DrawRegionMatchesAPixelByPixelReferenceInEveryTransform) {
    const auto image = numberedImage(7, 5);
    struct Clip {
        int32_t x, y, w, h;
    };
    const Clip clips[] = {{0, 0, 24, 20}, {6, 0, 24, 20}, {0, 6, 24, 20}, {0, 0, 9, 20}, {0, 0, 24, 8}, {7, 6, 3, 2}};
    struct Region {
        int32_t x, y, w, h;
    };
    const Region regions[] = {{0, 0, 7, 5}, {1, 2, 4, 3}, {-2, -1, 6, 4}, {3, 1, 9, 9}, {6, 4, 1, 1}};
    const int32_t anchors[] = {Graphics::TOP | Graphics::LEFT, Graphics::HCENTER | Graphics::VCENTER,
                               Graphics::RIGHT | Graphics::BOTTOM};
    for (int32_t t = 0; t < 8; ++t)
        for (const Clip& clip : clips)
            for (const Region& r : regions)
                for (int32_t anchor : anchors) {
                    SCOPED_TRACE(testing::Message() << "transform " << t << " clip " << clip.x << "," << clip.y << ","
                                                    << clip.w << "," << clip.h << " region " << r.x << "," << r.y
                                                    << " anchor " << anchor);
                    GuardedCanvas canvas(24, 20);
                    Graphics& g = *canvas.graphics;
                    g.translate(1, 2);
                    g.setClip(clip.x - 1, clip.y - 2, clip.w, clip.h);
                    g.drawRegion(image, r.x, r.y, r.w, r.h, t, 9, 7, anchor);

                    GuardedCanvas expected(24, 20);
                    const int32_t dw = t >= 4 ? r.h : r.w, dh = t >= 4 ? r.w : r.h;
                    int32_t x0 = 9 + 1, y0 = 7 + 2;
                    if (anchor & Graphics::RIGHT) x0 -= dw;
                    if (anchor & Graphics::HCENTER) x0 -= dw >> 1;
                    if (anchor & Graphics::BOTTOM) y0 -= dh;
                    if (anchor & Graphics::VCENTER) y0 -= dh >> 1;
                    for (int32_t j = 0; j < r.h; ++j)
                        for (int32_t i = 0; i < r.w; ++i) {
                            const int32_t sx = r.x + i, sy = r.y + j;
                            if (sx < 0 || sy < 0 || sx >= 7 || sy >= 5) continue;
                            int32_t u, v;
                            landing(t, r.w, r.h, i, j, u, v);
                            const int32_t x = x0 + u, y = y0 + v;
                            if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h) continue;
                            expected.at(x, y) = image->pixels[sx + sy * 7];
                        }
                    ASSERT_EQ(canvas.snapshot(), expected.snapshot());
                    ASSERT_TRUE(canvas.canaryIntact());
                }
}

TEST(GraphicsBlit, QuarterTurnPutsTheRegionsTopLeftAtTheTopRight) {
    GuardedCanvas canvas(24, 12);
    const auto image = numberedImage(10, 20);
    canvas.graphics->drawRegion(image, 0, 0, 10, 20, 5, 0, 0, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(canvas.at(19, 0), image->pixels[0]);
    EXPECT_NE(canvas.at(19, 9), lcduitest::BACKGROUND);
    EXPECT_EQ(canvas.at(20, 0), lcduitest::BACKGROUND);
    EXPECT_EQ(canvas.at(0, 10), lcduitest::BACKGROUND);
}

TEST(GraphicsBlit, DrawImageAnchorsAndClips) {
    const auto image = numberedImage(21, 11);
    GuardedCanvas canvas(64, 64);
    canvas.graphics->drawImage(image, 50, 50, Graphics::HCENTER | Graphics::VCENTER);
    EXPECT_EQ(canvas.at(40, 45), image->pixels[0]);
    EXPECT_EQ(canvas.at(39, 45), lcduitest::BACKGROUND);
    GuardedCanvas baseline(64, 64);
    baseline.graphics->drawImage(image, 3, 4, Graphics::BASELINE | Graphics::LEFT);
    EXPECT_EQ(baseline.at(3, 4), image->pixels[0]);
    GuardedCanvas clipped(16, 16);
    clipped.graphics->drawImage(image, -5, 10, 0);
    EXPECT_EQ(clipped.at(0, 10), image->pixels[5]);
    EXPECT_EQ(clipped.at(15, 15), image->pixels[20 + 5 * 21]);
    EXPECT_TRUE(clipped.canaryIntact());
    clipped.graphics->drawImage(nullptr, 0, 0, 0);
}

TEST(GraphicsBlit, BlitModesFollowTheImageFlags) {
    const uint32_t destination = 0x40102030u;
    struct Case {
        const char* name;
        uint32_t source;  // 0xAARRGGBB
        uint32_t expected;
    };
    auto mixed = [](int d, int s, int a) { return uint32_t(d + ((s - d) * (a + 1) >> 8)); };
    const Case cases[] = {
        {"opaque copies", 0xFF0A0B0Cu, 0xFF0C0B0Au},
        {"transparent pixel leaves the destination", 0x00FFFFFFu, destination},
        {"translucent pixel blends and keeps destination alpha", 0x80F0E0D0u,
         0x40000000u | mixed(0x10, 0xD0, 0x80) << 16 | mixed(0x20, 0xE0, 0x80) << 8 | mixed(0x30, 0xF0, 0x80)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto rgb = java::lang::jnew<JArray<int>>(2);
        rgb->data[0] = static_cast<int32_t>(c.source);
        // The second pixel sets the image's mode: opaque, or with a fully transparent pixel.
        rgb->data[1] = c.source >> 24 == 0 ? 0x00000000 : static_cast<int32_t>(c.source | 0xFF000000u);
        const auto image = Image::createRGBImage(rgb, 2, 1, true);
        for (int32_t t : {0, 3, 5}) {
            GuardedCanvas canvas(2, 2);
            canvas.at(0, 0) = canvas.at(1, 0) = canvas.at(0, 1) = canvas.at(1, 1) = destination;
            canvas.graphics->drawRegion(image, 0, 0, 1, 1, t, 0, 0, 0);
            EXPECT_EQ(canvas.at(0, 0), c.expected) << "transform " << t;
            EXPECT_EQ(canvas.at(1, 1), destination);
        }
    }
}

TEST(GraphicsBlit, TransparencyFlagsFollowTheAlphaRule) {
    auto make = [](std::initializer_list<uint32_t> colours) {
        auto rgb = java::lang::jnew<JArray<int>>(static_cast<int32_t>(colours.size()));
        int32_t i = 0;
        for (uint32_t c : colours) rgb->data[i++] = static_cast<int32_t>(c);
        return Image::createRGBImage(rgb, rgb->length, 1, true);
    };
    auto opaque = make({0xFF000000u, 0xFFFFFFFFu});
    EXPECT_FALSE(opaque->hasTransparentPixels || opaque->hasTranslucentPixels);
    auto masked = make({0xFF000000u, 0x00FFFFFFu});
    EXPECT_TRUE(masked->hasTransparentPixels);
    EXPECT_FALSE(masked->hasTranslucentPixels);
    auto translucent = make({0x00000000u, 0x80FFFFFFu, 0x00000000u});
    EXPECT_FALSE(translucent->hasTransparentPixels);
    EXPECT_TRUE(translucent->hasTranslucentPixels);
    auto forcedOpaque = Image::createRGBImage(java::lang::jnew<JArray<int>>(1), 1, 1, false);
    EXPECT_EQ(forcedOpaque->pixels[0], 0xFF000000u);
}

TEST(ImageBasics, MutableImagesAndTransformedCopies) {
    auto blank = Image::createImage(20, 10);
    EXPECT_TRUE(blank->isMutable());
    auto rgb = java::lang::jnew<JArray<int>>(200);
    blank->getRGB(rgb, 0, 20, 0, 0, 20, 10);
    for (int32_t i = 0; i < 200; ++i) ASSERT_EQ(rgb->data[i], -1);
    EXPECT_THROW(Image::createImage(0, 5), java::lang::IllegalArgumentException);
    EXPECT_THROW(Image::createImage(1 << 20, 1 << 20), java::lang::IllegalArgumentException);

    const auto source = numberedImage(3, 2);
    EXPECT_EQ(Image::createImage(source, 0, 0, 3, 2, 0), source);
    EXPECT_NE(Image::createImage(source), source);
    auto turned = Image::createImage(source, 0, 0, 3, 2, 5);
    ASSERT_EQ(turned->getWidth(), 2);
    ASSERT_EQ(turned->getHeight(), 3);
    // Rotating a quarter turn clockwise: the source's first row becomes the right column.
    EXPECT_EQ(turned->pixels[1], source->pixels[0]);
    EXPECT_EQ(turned->pixels[3], source->pixels[1]);
    EXPECT_EQ(turned->pixels[0], source->pixels[3]);
    EXPECT_FALSE(turned->isMutable());
    EXPECT_THROW(Image::createImage(source, 2, 0, 2, 2, 0), java::lang::IllegalArgumentException);

    auto drawnInto = Image::createImage(4, 4);
    auto g = drawnInto->getGraphics();
    g->setColor(0xFF0000);
    g->fillRect(-10, -10, 100, 100);
    EXPECT_EQ(drawnInto->pixels[15], 0xFF0000FFu);
}

// Overlapping rows were once copied with memcpy in place, smearing the image over itself.
TEST(GraphicsBlit, DrawingAnImageOntoItselfEqualsDrawingFromACopy) {
    const auto pixelsOf = [](const JavaPtr<Image>& image) {
        auto rgb = java::lang::jnew<JArray<int>>(image->getWidth() * image->getHeight());
        image->getRGB(rgb, 0, image->getWidth(), 0, 0, image->getWidth(), image->getHeight());
        return std::vector<int>(rgb->data, rgb->data + rgb->length);
    };
    const auto numberedMutable = [] {
        JavaPtr<Image> image = Image::createImage(9, 9);
        auto rgb = java::lang::jnew<JArray<int>>(81);
        for (int32_t i = 0; i < 81; ++i) rgb->data[i] = static_cast<int32_t>(0xFF000000u | (0x010305u * (i + 1)));
        image->getGraphics()->drawRGB(rgb, 0, 9, 0, 0, 9, 9, false);
        return image;
    };
    struct Move {
        int32_t x, y;
    };
    for (int32_t t = 0; t < 8; ++t)
        for (const Move move : {Move{1, 0}, Move{0, 1}, Move{-1, -1}, Move{2, -3}, Move{0, 0}}) {
            SCOPED_TRACE(testing::Message() << "transform " << t << " move " << move.x << "," << move.y);
            JavaPtr<Image> self = numberedMutable(), other = numberedMutable();
            const JavaPtr<Image> copy = Image::createImage(other);
            self->getGraphics()->drawRegion(self, 1, 1, 7, 6, t, 1 + move.x, 1 + move.y, Graphics::TOP | Graphics::LEFT);
            other->getGraphics()->drawRegion(copy, 1, 1, 7, 6, t, 1 + move.x, 1 + move.y, Graphics::TOP | Graphics::LEFT);
            EXPECT_EQ(pixelsOf(self), pixelsOf(other));
            if (t == 0) {
                self->getGraphics()->drawImage(self, move.x, move.y, Graphics::TOP | Graphics::LEFT);
                other->getGraphics()->drawImage(Image::createImage(other), move.x, move.y, Graphics::TOP | Graphics::LEFT);
                EXPECT_EQ(pixelsOf(self), pixelsOf(other));
            }
        }
}
