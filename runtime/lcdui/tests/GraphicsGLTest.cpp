#include <gtest/gtest.h>

#include <GLES/gl.h>

#include <cstdlib>
#include <string>

#include "platform/GLView.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/Texture2DOver3D.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/GLScreen.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using lcduitest::GLScreen;
using lcduitest::GuardedCanvas;
using lcduitest::TwinImage;

namespace {

constexpr int32_t W = 64;
constexpr int32_t H = 48;

// Colours from a formula, with the alpha the caller chooses for every third pixel.
JavaPtr<Image> patternImage(int32_t w, int32_t h, uint32_t oddAlpha) {
    auto rgb = java::lang::jnew<JArray<int>>(w * h);
    for (int32_t i = 0; i < w * h; ++i) {
        const uint32_t colour = (0x1F3D5Bu * static_cast<uint32_t>(i + 7)) & 0xFFFFFFu;
        rgb->data[i] = static_cast<int32_t>(colour | (i % 3 == 1 ? oddAlpha : 0xFFu) << 24);
    }
    return Image::createRGBImage(rgb, w, h, true);
}

JavaPtr<java::lang::String> text(const char* s) { return java::lang::jnew<java::lang::String>(s); }

// Every alpha from 0 to 255 somewhere, over varied colours.
JavaPtr<Image> variedAlphaImage() {
    auto rgb = java::lang::jnew<JArray<int>>(32 * 32);
    for (int32_t i = 0; i < 32 * 32; ++i)
        rgb->data[i] = static_cast<int32_t>(((0x9E3779u * static_cast<uint32_t>(i)) & 0xFFFFFFu) |
                                            static_cast<uint32_t>((i * 53) & 0xFF) << 24);
    return Image::createRGBImage(rgb, 32, 32, true);
}

struct Images {
    TwinImage opaque, masked, blended, varied, mutableImage;
};

struct Case {
    const char* name;
    int32_t tolerance;
    std::function<void(Graphics&, bool onTexture, Images&)> draw;
};

Image& pick(const TwinImage& twin, bool onTexture) { return onTexture ? *twin.texture : *twin.software; }

class GraphicsGL : public ::testing::Test {
protected:
    void SetUp() override { glScreen = std::make_unique<GLScreen>(W, H); }
    void TearDown() override { OpenGLBackEnd::instance().limitTextureSize(1 << 30); }
    std::unique_ptr<GLScreen> glScreen;
};

}  // namespace

TEST_F(GraphicsGL, ScreenMatchesTheSoftwarePath) {
    ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(true).bytes()));
    Images images{lcduitest::twinImage([] { return patternImage(7, 5, 0xFF); }),
                  lcduitest::twinImage([] { return patternImage(9, 6, 0x00); }),
                  lcduitest::twinImage([] { return patternImage(5, 11, 0x80); }),
                  lcduitest::twinImage(variedAlphaImage),
                  lcduitest::twinImage([] { return Image::createImage(40, 20); })};
    const Case cases[] = {
        {"fills", 0,
         [](Graphics& g, bool, Images&) {
             g.setColor(0x123456);
             g.fillRect(3, 4, 20, 9);
             g.setColor(0xFEDCBA);
             g.fillRect(-5, 30, 200, 3);
             g.setClip(10, 10, 15, 15);
             g.setColor(0x00FF7F);
             g.fillRect(0, 0, W, H);
             g.setClip(0, 0, W, H);
             g.translate(2, 3);
             g.drawRect(30, 2, 10, 12);
             g.fillRoundRect(40, 20, 18, 14, 8, 8);
         }},
        {"opaque images in every transform", 0,
         [](Graphics& g, bool t, Images& im) {
             for (int32_t transform = 0; transform < 8; ++transform)
                 g.drawRegion(JavaPtr<Image>(&pick(im.opaque, t)), 1, 0, 6, 5, transform, 2 + (transform % 4) * 14,
                              2 + (transform / 4) * 14, Graphics::TOP | Graphics::LEFT);
             g.drawImage(JavaPtr<Image>(&pick(im.opaque, t)), W - 3, H - 2, Graphics::TOP | Graphics::LEFT);
         }},
        {"masked images", 0,
         [](Graphics& g, bool t, Images& im) {
             g.setColor(0x336699);
             g.fillRect(0, 0, W, H);
             for (int32_t transform = 0; transform < 8; ++transform)
                 g.drawRegion(JavaPtr<Image>(&pick(im.masked, t)), 0, 0, 9, 6, transform, 1 + transform * 7, 20,
                              Graphics::TOP | Graphics::LEFT);
         }},
        {"blended images", 1,
         [](Graphics& g, bool t, Images& im) {
             for (int32_t stripe = 0; stripe < 16; ++stripe) {
                 g.setColor(static_cast<int32_t>(0x3B7FD1u * static_cast<uint32_t>(stripe + 1)) & 0xFFFFFF);
                 g.fillRect(stripe * 4, 0, 4, H);
             }
             g.drawImage(JavaPtr<Image>(&pick(im.varied, t)), 0, 5, Graphics::TOP | Graphics::LEFT);
             // Apart: each pixel is blended once, as one level is the allowance of one blend.
             g.drawImage(JavaPtr<Image>(&pick(im.varied, t)), 32, 12, Graphics::TOP | Graphics::LEFT);
             g.drawImage(JavaPtr<Image>(&pick(im.blended, t)), 10, 37, Graphics::TOP | Graphics::LEFT);
             g.drawRegion(JavaPtr<Image>(&pick(im.blended, t)), 0, 0, 5, 11, 5, 16, 0, Graphics::TOP | Graphics::LEFT);
         }},
        {"RGB arrays", 1,
         [](Graphics& g, bool, Images&) {
             auto rgb = java::lang::jnew<JArray<int>>(12 * 10);
             for (int32_t i = 0; i < 120; ++i)
                 rgb->data[i] = static_cast<int32_t>(0x01020304u * (i + 1) + (i % 4) * 0x40000000u);
             g.setColor(0x808080);
             g.fillRect(0, 0, W, H);
             g.drawRGB(rgb, 0, 12, 3, 3, 12, 10, false);
             g.drawRGB(rgb, 0, 12, 30, 3, 12, 10, true);
             g.drawRGB(rgb, 13, 12, 58, 40, 11, 9, false);
         }},
        {"text", 1,
         [](Graphics& g, bool, Images&) {
             g.setColor(0x204060);
             g.fillRect(0, 0, W, H);
             g.setColor(0xFFEE00);
             g.drawString(text("AbcA"), 2, 3, Graphics::TOP | Graphics::LEFT);
             g.setColor(0x00FFFF);
             g.drawString(text("cAb"), W - 1, H - 4, Graphics::BOTTOM | Graphics::RIGHT);
         }},
        {"text and images drawn into a mutable image", 0,
         [](Graphics& g, bool t, Images& im) {
             Image& target = pick(im.mutableImage, t);
             auto inner = target.getGraphics();
             inner->setColor(0x102030);
             inner->drawString(text("Ab"), 1, 1, Graphics::TOP | Graphics::LEFT);
             inner->drawImage(JavaPtr<Image>(&pick(im.masked, t)), 20, 2, Graphics::TOP | Graphics::LEFT);
             inner->drawRegion(JavaPtr<Image>(&pick(im.blended, t)), 0, 0, 5, 11, 6, 30, 1,
                               Graphics::TOP | Graphics::LEFT);
             inner->drawLine(0, 19, 39, 12);
             g.drawImage(JavaPtr<Image>(&target), 5, 5, Graphics::TOP | Graphics::LEFT);
         }},
        {"screen copyArea reads real pixels", 0,
         [](Graphics& g, bool t, Images& im) {
             g.setColor(0xFF0000);
             g.fillRect(0, 0, 10, 10);
             g.drawImage(JavaPtr<Image>(&pick(im.opaque, t)), 2, 2, Graphics::TOP | Graphics::LEFT);
             g.copyArea(0, 0, 12, 12, 30, 20, Graphics::TOP | Graphics::LEFT);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GuardedCanvas software(W, H);
        c.draw(*software.graphics, false, images);
        c.draw(*glScreen->screen, true, images);
        glScreen->screen->translate(-glScreen->screen->getTranslateX(), -glScreen->screen->getTranslateY());
        glScreen->screen->setClip(0, 0, W, H);
        const auto frame = glScreen->present();
        ASSERT_EQ(frame.size(), static_cast<size_t>(W * H)) << platform::glViewError();
        const auto reference = software.snapshot();
        EXPECT_LE(lcduitest::largestChannelDifference(frame, reference), c.tolerance)
            << lcduitest::firstDifference(frame, reference, W, c.tolerance);
    }
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
}

TEST_F(GraphicsGL, DiagonalLinesLieWithinOnePixelOfTheSoftwareLines) {
    struct Line {
        int32_t x1, y1, x2, y2;
    };
    const Line lines[] = {{0, 0, 63, 47}, {63, 0, 0, 47}, {5, 40, 60, 2}, {10, 5, 14, 45}, {50, 45, 20, 44},
                          {-20, -10, 80, 30}};
    for (const Line& line : lines) {
        SCOPED_TRACE(testing::Message() << line.x1 << "," << line.y1 << " to " << line.x2 << "," << line.y2);
        GuardedCanvas software(W, H);
        for (Graphics* g : {software.graphics.get(), glScreen->screen.get()}) {
            g->setColor(0xFFFFFF);
            g->drawLine(line.x1, line.y1, line.x2, line.y2);
        }
        const auto frame = glScreen->present();
        ASSERT_EQ(frame.size(), static_cast<size_t>(W * H));
        const auto reference = software.snapshot();
        auto lit = [](const std::vector<uint32_t>& pixels, int32_t x, int32_t y) {
            return x >= 0 && y >= 0 && x < W && y < H && (pixels[static_cast<size_t>(y) * W + x] & 0xFFFFFF) != 0;
        };
        auto near = [&](const std::vector<uint32_t>& pixels, int32_t x, int32_t y) {
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx)
                    if (lit(pixels, x + dx, y + dy)) return true;
            return false;
        };
        int32_t litOnScreen = 0;
        for (int32_t y = 0; y < H; ++y)
            for (int32_t x = 0; x < W; ++x) {
                if (lit(frame, x, y)) {
                    ++litOnScreen;
                    EXPECT_TRUE(near(reference, x, y)) << "stray GL pixel " << x << "," << y;
                }
                if (lit(reference, x, y)) EXPECT_TRUE(near(frame, x, y)) << "missing pixel " << x << "," << y;
            }
        EXPECT_GT(litOnScreen, 0);
    }
}

TEST_F(GraphicsGL, WhiteImageAfterARedFillStaysWhite) {
    auto white = Image::createImage(8, 8);
    Graphics& g = *glScreen->screen;
    g.setColor(0xFF0000);
    g.fillRect(0, 0, 4, 4);
    // After drawing with a colour array the current colour is undefined; some drivers leave the last
    // vertex colour there. Leave red there as they would: the texture must not be tinted by it.
    glColor4f(1, 0, 0, 1);
    g.drawImage(white, 10, 10, Graphics::TOP | Graphics::LEFT);
    const auto frame = glScreen->present();
    ASSERT_EQ(frame.size(), static_cast<size_t>(W * H));
    EXPECT_EQ(frame[0], 0xFF0000FFu);
    for (int32_t y = 10; y < 18; ++y)
        for (int32_t x = 10; x < 18; ++x)
            ASSERT_EQ(frame[static_cast<size_t>(y) * W + x], 0xFFFFFFFFu) << x << "," << y;
}

TEST_F(GraphicsGL, DrawCallsAreCountedPerFrame) {
    auto first = Image::createImage(4, 4);
    auto second = Image::createImage(4, 4);
    struct Case {
        const char* name;
        std::function<void(Graphics&)> draw;
        uint64_t drawCalls;
        uint64_t framesPresented = 1;
    };
    const Case cases[] = {
        {"a frame without screen drawing presents nothing", [](Graphics&) {}, 0, 0},
        {"257 fills flush twice", [](Graphics& g) { for (int i = 0; i < 257; ++i) g.fillRect(i % W, 0, 1, 1); }, 2},
        {"fills alternating with diagonal lines flush on every change",
         [](Graphics& g) {
             for (int i = 0; i < 5; ++i) {
                 g.fillRect(0, 0, 2, 2);
                 g.drawLine(0, 0, 10, 7);
             }
         },
         10},
        {"each texture change flushes once",
         [&](Graphics& g) {
             for (int i = 0; i < 3; ++i) {
                 g.drawImage(first, 0, 0, 0);
                 g.drawImage(second, 8, 0, 0);
             }
         },
         6},
        {"one texture drawn again and again flushes once",
         [&](Graphics& g) { for (int i = 0; i < 20; ++i) g.drawImage(first, i, i, 0); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = glScreen->backEnd().statistics();
        c.draw(*glScreen->screen);
        glScreen->present();
        const auto after = glScreen->backEnd().statistics();
        EXPECT_EQ(after.drawCalls - before.drawCalls, c.drawCalls);
        EXPECT_EQ(after.framesPresented - before.framesPresented, c.framesPresented);
    }
}

TEST_F(GraphicsGL, DroppedTexturesAreDeletedByTheNextFrame) {
    Graphics& g = *glScreen->screen;
    auto image = Image::createImage(6, 6);
    auto texture = image->getGraphics()->targetTexture;
    g.drawImage(image, 0, 0, 0);
    // A drawRGB texture lives until the next frame set-up, not only to the end of its own frame.
    auto rgb = java::lang::jnew<JArray<int>>(4);
    g.drawRGB(rgb, 0, 2, 20, 20, 2, 2, false);
    glScreen->present();
    const GLuint name = static_cast<GLuint>(texture->name);
    ASSERT_NE(texture->name, -1);
    const int32_t liveWithImage = glScreen->backEnd().liveTextureCount();

    image = nullptr;
    g.fillRect(0, 0, 1, 1);  // the next frame starts: the GL context is current here
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_EQ(texture->name, -1);
    EXPECT_EQ(glScreen->backEnd().liveTextureCount(), liveWithImage - 2);
    glScreen->present();
}

TEST_F(GraphicsGL, DrawingIntoAMutableImageShowsInTheSameFrame) {
    Graphics& g = *glScreen->screen;
    auto canvasImage = Image::createImage(16, 16);
    g.drawImage(canvasImage, 0, 0, 0);
    auto inner = canvasImage->getGraphics();
    inner->setColor(0x0000FF);
    inner->fillRect(2, 2, 4, 4);
    auto stamp = patternImage(3, 3, 0xFF);
    inner->drawImage(stamp, 10, 10, 0);
    g.drawImage(canvasImage, 20, 0, 0);
    auto frame = glScreen->present();
    ASSERT_EQ(frame.size(), static_cast<size_t>(W * H));
    // The first quad was batched before the change; the second shows it.
    EXPECT_EQ(frame[3 * W + 3], 0xFFFFFFFFu);
    EXPECT_EQ(frame[3 * W + 23], 0xFFFF0000u);
    auto stampPixels = java::lang::jnew<JArray<int>>(9);
    stamp->getRGB(stampPixels, 0, 3, 0, 0, 3, 3);
    EXPECT_EQ(frame[11 * W + 31], pixelFromARGB(stampPixels->data[4]) | 0xFF000000u);

    // Next frame: one changed row is all that goes up, and the image is still whole on screen.
    inner->setColor(0x00FF00);
    inner->fillRect(0, 15, 16, 1);
    const auto before = glScreen->backEnd().statistics();
    g.drawImage(canvasImage, 0, 0, 0);
    frame = glScreen->present();
    EXPECT_EQ(glScreen->backEnd().statistics().rowsUploaded - before.rowsUploaded, 1u);
    EXPECT_EQ(frame[3 * W + 3], 0xFFFF0000u);
    EXPECT_EQ(frame[15 * W + 3], 0xFF00FF00u);
    EXPECT_EQ(frame[14 * W + 3], 0xFFFFFFFFu);

    // Drawn again, of two changed rows only the one that differs goes up; a repeat sends none.
    for (const auto& [height, rows] : {std::pair{2, 1u}, std::pair{2, 0u}}) {
        inner->fillRect(0, 14, 16, height);
        const auto start = glScreen->backEnd().statistics();
        g.drawImage(canvasImage, 0, 0, 0);
        frame = glScreen->present();
        EXPECT_EQ(glScreen->backEnd().statistics().rowsUploaded - start.rowsUploaded, rows);
        EXPECT_EQ(frame[14 * W + 3], 0xFF00FF00u);
    }

    // getRGB on the image reads its texture copy.
    auto pixel = java::lang::jnew<JArray<int>>(1);
    canvasImage->getRGB(pixel, 0, 1, 3, 3, 1, 1);
    EXPECT_EQ(static_cast<uint32_t>(pixel->data[0]), 0xFF0000FFu);
}

// A context made anew holds none of the old textures: images, a changed mutable one and text are
// sent again from their pixels and look as before, and no old name is deleted in the new context.
TEST_F(GraphicsGL, ImagesShowAsBeforeOnAContextMadeAnew) {
    Graphics& g = *glScreen->screen;
    auto picture = patternImage(10, 7, 0x80);
    auto canvasImage = Image::createImage(12, 12);
    ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(true).bytes()));
    const auto draw = [&] {
        g.setColor(0x203040);
        g.fillRect(0, 0, W, H);
        g.drawImage(picture, 3, 5, 0);
        g.drawImage(canvasImage, 30, 2, 0);
        g.setColor(0xFFFFFF);
        g.drawString(text("Ab"), 2, 30, Graphics::TOP | Graphics::LEFT);
        EXPECT_TRUE(glScreen->show()) << platform::glViewError();
        return platform::latestFrame().pixels;
    };
    canvasImage->getGraphics()->setColor(0x00FF00);
    canvasImage->getGraphics()->fillRect(0, 0, 12, 4);
    draw();
    canvasImage->getGraphics()->fillRect(0, 8, 12, 4);
    const auto before = draw();
    ASSERT_EQ(before.size(), static_cast<size_t>(W * H));

    platform::glViewShutdown();
    EXPECT_EQ(draw(), before);
    EXPECT_EQ(draw(), before);
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
}

TEST_F(GraphicsGL, ImagesBeyondTheTextureLimitAreReportedAndNotDrawn) {
    glScreen->backEnd().limitTextureSize(16);
    auto wide = Image::createImage(20, 4);  // needs a 32 x 4 texture
    Graphics& g = *glScreen->screen;
    g.setColor(0xFF0000);
    g.fillRect(0, 0, W, H);
    testing::internal::CaptureStderr();
    g.drawImage(wide, 0, 0, 0);
    g.drawImage(wide, 0, 10, 0);
    const auto frame = glScreen->present();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("32 x 4"), std::string::npos) << log;
    EXPECT_EQ(log.find("32 x 4"), log.rfind("32 x 4")) << "reported once";
    ASSERT_EQ(frame.size(), static_cast<size_t>(W * H));
    EXPECT_EQ(frame[0], 0xFF0000FFu);
}

TEST_F(GraphicsGL, AFrameTheViewCannotDrawIsReportedAndNotPresented) {
    platform::outputWidth = 0;  // no framebuffer can be made
    const auto before = glScreen->backEnd().statistics();
    const uint64_t presented = platform::framesPresented();
    testing::internal::CaptureStderr();
    glScreen->screen->fillRect(0, 0, 4, 4);
    glScreen->present();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("incomplete"), std::string::npos) << log;
    EXPECT_EQ(platform::framesPresented(), presented);
    EXPECT_EQ(glScreen->backEnd().statistics().framesPresented, before.framesPresented);

    // The view recovers with the next usable frame.
    platform::outputWidth = W;
    glScreen->screen->fillRect(0, 0, 4, 4);
    EXPECT_EQ(glScreen->present().size(), static_cast<size_t>(W * H));
}
