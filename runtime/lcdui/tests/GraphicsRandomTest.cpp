// Random primitives against random clips (empty ones included) on a guarded buffer: nothing outside
// the clip may change, and nothing outside the target may be touched.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/GuardedCanvas.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using lcduitest::GuardedCanvas;

namespace {

class Chooser {
public:
    explicit Chooser(uint32_t seed) : m_random(seed) {}
    int32_t small(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(m_random); }
    // Mostly near the canvas, sometimes at the ends of int.
    int32_t coordinate() {
        switch (small(0, 9)) {
            case 0: return INT_MIN;
            case 1: return INT_MAX;
            case 2: return small(INT_MIN / 2, INT_MAX / 2);
            default: return small(-40, 80);
        }
    }
    int32_t size() { return small(0, 5) == 0 ? coordinate() : small(-3, 60); }

private:
    std::mt19937 m_random;
};

}  // namespace

TEST(GraphicsRandom, NothingOutsideTheClipChanges) {
    ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(true).bytes()));
    Chooser choose(12345);
    GuardedCanvas canvas(48, 36);
    Graphics& g = *canvas.graphics;
    auto rgb = java::lang::jnew<JArray<int>>(64 * 64);
    for (int32_t i = 0; i < rgb->length; ++i) rgb->data[i] = static_cast<int32_t>(0x01000193u * i);
    auto opaque = Image::createRGBImage(rgb, 9, 7, false);
    auto blended = Image::createRGBImage(rgb, 13, 5, true);
    auto text = java::lang::jnew<java::lang::String>("Abc xyz?");

    for (int iteration = 0; iteration < 4000; ++iteration) {
        g.translate(-g.getTranslateX(), -g.getTranslateY());
        g.setClip(choose.small(-10, 50), choose.small(-10, 40), choose.small(-5, 50), choose.small(-5, 40));
        if (choose.small(0, 9) == 0) g.setClip(choose.small(0, 40), choose.small(0, 30), 0, choose.small(0, 9));
        const int32_t clipX = g.getClipX(), clipY = g.getClipY(), clipW = g.getClipWidth(), clipH = g.getClipHeight();
        g.translate(choose.small(-20, 20), choose.small(-20, 20));
        g.setColor(choose.coordinate());
        const auto before = canvas.snapshot();

        const int kind = choose.small(0, 13);
        const int32_t a = choose.coordinate(), b = choose.coordinate(), c = choose.coordinate(),
                      d = choose.coordinate(), e = choose.coordinate(), f = choose.coordinate();
        switch (kind) {
            case 0: g.fillRect(a, b, choose.size(), choose.size()); break;
            case 1: g.drawRect(a, b, choose.size(), choose.size()); break;
            case 2: g.drawLine(a, b, c, d); break;
            case 3: g.drawRoundRect(a, b, choose.size(), choose.size(), choose.size(), choose.size()); break;
            case 4: g.fillRoundRect(a, b, choose.size(), choose.size(), choose.size(), choose.size()); break;
            case 5: g.drawArc(a, b, choose.size(), choose.size(), e, f); break;
            case 6: g.fillArc(a, b, choose.size(), choose.size(), e, f); break;
            case 7: g.fillTriangle(a, b, c, d, e, f); break;
            case 8: {
                const int32_t w = choose.small(-2, 64), h = choose.small(-2, 64);
                g.drawRGB(rgb, 0, std::max(w, 1), a, b, w, h, choose.small(0, 1) == 1);
                break;
            }
            case 9: g.copyArea(choose.small(-10, 50), choose.small(-10, 40), choose.size(), choose.size(), a, b,
                               choose.small(0, 63));
                break;
            case 10: g.drawImage(choose.small(0, 1) ? opaque : blended, a, b, choose.small(0, 63)); break;
            case 11:
                g.drawRegion(choose.small(0, 1) ? opaque : blended, choose.small(-5, 15), choose.small(-5, 10),
                             choose.size(), choose.size(), choose.small(-1, 8), a, b, choose.small(0, 63));
                break;
            case 12: g.drawString(text, a, b, choose.small(0, 63)); break;
            default: g.drawLine(choose.small(-60, 100), choose.small(-60, 100), choose.small(-60, 100),
                                choose.small(-60, 100));
                break;
        }

        ASSERT_TRUE(canvas.canaryIntact()) << "iteration " << iteration << " kind " << kind;
        const auto after = canvas.snapshot();
        for (int32_t y = 0; y < canvas.height; ++y)
            for (int32_t x = 0; x < canvas.width; ++x) {
                const bool inClip = x >= clipX && x < clipX + clipW && y >= clipY && y < clipY + clipH;
                if (!inClip)
                    ASSERT_EQ(after[y * canvas.width + x], before[y * canvas.width + x])
                        << "iteration " << iteration << " kind " << kind << " at " << x << "," << y;
            }
    }
}

// A cut line once restarted its stepping at the cut: drawLine(0, 0, 30, 7) lit (11, 3) unclipped
// but (11, 2) under setClip(10, 0, 30, 20).
TEST(GraphicsRandom, ClippedLinesLightExactlyTheUnclippedPixelsInsideTheClip) {
    Chooser choose(777);
    GuardedCanvas whole(64, 48), clipped(64, 48);
    for (int iteration = 0; iteration < 10000; ++iteration) {
        whole.graphics->setColor(0xFFFFFF);
        clipped.graphics->setColor(0xFFFFFF);
        whole.graphics->setClip(0, 0, 64, 48);
        // Long lines now and then, whose fixed-point stepping drifts from the geometric line.
        const int32_t reach = choose.small(0, 9) == 0 ? 5000 : 100;
        const int32_t x1 = choose.small(-reach, reach), y1 = choose.small(-reach, reach);
        const int32_t x2 = choose.small(-reach, reach), y2 = choose.small(-reach, reach);
        const int32_t clipX = choose.small(-4, 60), clipY = choose.small(-4, 44);
        const int32_t clipW = choose.small(0, 40), clipH = choose.small(0, 30);
        clipped.graphics->setClip(clipX, clipY, clipW, clipH);
        whole.graphics->drawLine(x1, y1, x2, y2);
        clipped.graphics->drawLine(x1, y1, x2, y2);
        for (int32_t y = 0; y < 48; ++y)
            for (int32_t x = 0; x < 64; ++x) {
                const bool inClip = x >= clipX && x < clipX + clipW && y >= clipY && y < clipY + clipH;
                const uint32_t expected = inClip ? whole.at(x, y) : lcduitest::BACKGROUND;
                ASSERT_EQ(clipped.at(x, y), expected) << "line " << x1 << "," << y1 << " to " << x2 << "," << y2
                                                      << " clip " << clipX << "," << clipY << " " << clipW << "x"
                                                      << clipH << " at " << x << "," << y;
            }
        whole.graphics->setColor(0);
        clipped.graphics->setColor(0);
        whole.graphics->fillRect(0, 0, 64, 48);
        clipped.graphics->setClip(0, 0, 64, 48);
        clipped.graphics->fillRect(0, 0, 64, 48);
    }
}
