#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/tests/GuardedCanvas.h"

using namespace javax::microedition::lcdui;
using lcduitest::GuardedCanvas;
using lcduitest::rows;

namespace {

constexpr int32_t WHITE = 0xFFFFFF;

GuardedCanvas drawn(int32_t w, int32_t h, const std::function<void(Graphics&)>& draw) {
    GuardedCanvas canvas(w, h);
    canvas.graphics->setColor(WHITE);
    draw(*canvas.graphics);
    EXPECT_TRUE(canvas.canaryIntact());
    return canvas;
}

}  // namespace

TEST(GraphicsState, ColourClipAndTranslationAreKeptAsGiven) {
    GuardedCanvas canvas(40, 30);
    Graphics& g = *canvas.graphics;
    g.setColor(0x12345678);
    EXPECT_EQ(g.getColor(), 0x12345678);
    EXPECT_EQ(g.getRedComponent(), 0x34);
    EXPECT_EQ(g.getPixelColour(), 0xFF785634u);
    g.setColor(256, 0, 0);
    EXPECT_EQ(g.getColor(), 0x1000000);
    g.setColor(0xFFFFFF);
    EXPECT_EQ(g.getGrayScale(), 255);
    g.setStrokeStyle(Graphics::DOTTED);
    EXPECT_EQ(g.getStrokeStyle(), Graphics::DOTTED);

    g.translate(10, 20);
    g.setClip(0, 0, 5, 5);
    EXPECT_EQ(g.getClipX(), 0);
    EXPECT_EQ(g.getClipY(), 0);
    g.translate(-10, -20);
    EXPECT_EQ(g.getClipX(), 10);
    EXPECT_EQ(g.getClipY(), 20);

    g.setClip(100, 0, 5, 5);
    EXPECT_EQ(g.getClipWidth(), 0);
    g.setClip(0, 50, 5, 5);
    EXPECT_EQ(g.getClipHeight(), 0);
    g.setClip(-5, -5, 20, 20);
    EXPECT_EQ(g.getClipX(), 0);
    EXPECT_EQ(g.getClipWidth(), 15);

    g.setClip(0, 0, 40, 30);
    g.clipRect(5, 6, 10, 10);
    g.clipRect(10, 0, 100, 12);
    EXPECT_EQ(g.getClipX(), 10);
    EXPECT_EQ(g.getClipY(), 6);
    EXPECT_EQ(g.getClipWidth(), 5);
    EXPECT_EQ(g.getClipHeight(), 6);
    g.clipRect(100, 100, 5, 5);
    EXPECT_EQ(g.getClipWidth(), 0);
}

TEST(GraphicsState, NullFontIsStoredAsGiven) {
    GuardedCanvas canvas(4, 4);
    canvas.graphics->setFont(nullptr);
    EXPECT_FALSE(canvas.graphics->getFont());
}

TEST(GraphicsShapes, GoldenMasks) {
    struct Case {
        const char* name;
        int32_t w, h;
        std::function<void(Graphics&)> draw;
        std::string expected;
    };
    const Case cases[] = {
        {"fillRect", 6, 4, [](Graphics& g) { g.fillRect(1, 1, 3, 2); }, rows({"......", ".###..", ".###..", "......"})},
        {"drawRect covers w+1 by h+1", 6, 5, [](Graphics& g) { g.drawRect(1, 1, 3, 2); },
         rows({"......", ".####.", ".#..#.", ".####.", "......"})},
        {"drawRect of zero size is one pixel", 3, 3, [](Graphics& g) { g.drawRect(1, 1, 0, 0); },
         rows({"...", ".#.", "..."})},
        {"empty sizes draw nothing", 3, 3,
         [](Graphics& g) {
             g.fillRect(0, 0, 0, 5);
             g.fillRect(0, 0, 5, -1);
             g.drawRect(0, 0, -1, 2);
             g.drawArc(0, 0, 0, 3, 0, 360);
             g.fillArc(0, 0, 3, 0, 0, 360);
             g.fillArc(0, 0, 0, 0, 0, 360);
         },
         rows({"...", "...", "..."})},
        {"translated rectangle", 5, 4,
         [](Graphics& g) {
             g.translate(2, 1);
             g.fillRect(0, 0, 2, 2);
         },
         rows({".....", "..##.", "..##.", "....."})},
        {"horizontal and vertical lines include both ends", 6, 4,
         [](Graphics& g) {
             g.drawLine(5, 0, 1, 0);
             g.drawLine(0, 3, 0, 1);
             g.drawLine(3, 2, 3, 2);
         },
         rows({".#####", "#.....", "#..#..", "#....."})},
        {"shallow diagonal line ends", 7, 3, [](Graphics& g) { g.drawLine(0, 0, 6, 2); },
         rows({"##.....", "..###..", ".....##"})},
        {"steep diagonal line ends", 3, 6, [](Graphics& g) { g.drawLine(2, 5, 0, 0); },
         rows({"#..", "#..", ".#.", ".#.", "..#", "..#"})},
        {"rounded rectangle outline", 12, 10, [](Graphics& g) { g.drawRoundRect(0, 0, 12, 10, 4, 4); },
         rows({"..########..", ".##......##.", "##........##", "#..........#", "#..........#", "#..........#",
               "#..........#", "##........##", ".##......##.", "..########.."})},
        {"filled rounded rectangle", 12, 10, [](Graphics& g) { g.fillRoundRect(0, 0, 12, 10, 4, 4); },
         rows({"....####....", "..########..", ".##########.", ".##########.", "############", "############",
               ".##########.", ".##########.", "..########..", "....####...."})},
        {"rounded rectangle with no radius is drawRect", 5, 4, [](Graphics& g) { g.drawRoundRect(0, 0, 3, 2, 0, 4); },
         rows({"####.", "#..#.", "####.", "....."})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(drawn(c.w, c.h, c.draw).mask(), c.expected);
    }
}

TEST(GraphicsShapes, FullEllipseRowsFollowTheCircleFormula) {
    const int32_t w = 21, h = 15;
    auto canvas = drawn(w + 2, h + 2, [&](Graphics& g) { g.fillArc(0, 0, w, h, 0, 360); });
    const int32_t cx = w >> 1, hh = h >> 1;
    for (int32_t row = 0; row <= 2 * hh; ++row) {
        const int32_t dy = row - hh;
        const auto half = static_cast<int32_t>(std::sqrt(double(h * h - 4 * dy * dy)) * w / (2.0 * h));
        for (int32_t x = 0; x < w + 2; ++x) {
            const bool inside = x >= cx - half && x <= cx + half;
            EXPECT_EQ(canvas.at(x, row) != lcduitest::BACKGROUND, inside) << "row " << row << " x " << x;
        }
    }
}

TEST(GraphicsShapes, ArcQuadrantsStayInTheirQuarterAndTileTheEllipse) {
    const int32_t w = 31, h = 23, cx = w >> 1, cy = h >> 1;
    auto full = drawn(w, h, [&](Graphics& g) { g.fillArc(0, 0, w, h, 0, 360); });
    struct Quadrant {
        int32_t start;
        bool right, up;
    };
    int32_t covered = 0, inEllipse = 0;
    GuardedCanvas all(w, h);
    for (const Quadrant q : {Quadrant{0, true, true}, Quadrant{90, false, true}, Quadrant{180, false, false},
                             Quadrant{270, true, false}}) {
        SCOPED_TRACE(q.start);
        auto part = drawn(w, h, [&](Graphics& g) { g.fillArc(0, 0, w, h, q.start, 90); });
        int32_t count = 0;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                if (part.at(x, y) == lcduitest::BACKGROUND) continue;
                ++count;
                all.at(x, y) = 1;
                EXPECT_NE(full.at(x, y), lcduitest::BACKGROUND) << x << "," << y;
                EXPECT_TRUE(q.right ? x >= cx : x <= cx) << x << "," << y;
                EXPECT_TRUE(q.up ? y <= cy : y >= cy) << x << "," << y;
            }
        EXPECT_GT(count, w * h / 6);
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (full.at(x, y) == lcduitest::BACKGROUND) continue;
            ++inEllipse;
            covered += all.at(x, y) != lcduitest::BACKGROUND;
        }
    EXPECT_GE(covered * 100, inEllipse * 97);
}

TEST(GraphicsShapes, FirstQuadrantFillsFromCentreToRightEdgeAboveTheCentreRow) {
    auto canvas = drawn(21, 21, [](Graphics& g) { g.fillArc(0, 0, 21, 21, 0, 90); });
    auto full = drawn(21, 21, [](Graphics& g) { g.fillArc(0, 0, 21, 21, 0, 360); });
    for (int32_t y = 0; y < 21; ++y)
        for (int32_t x = 0; x < 21; ++x) {
            const bool expected = y < 10 && x >= 10 && full.at(x, y) != lcduitest::BACKGROUND;
            EXPECT_EQ(canvas.at(x, y) != lcduitest::BACKGROUND, expected) << x << "," << y;
        }
}

TEST(GraphicsShapes, ArcWithNegativeSweepDrawsTheSameChords) {
    auto forward = drawn(30, 30, [](Graphics& g) { g.drawArc(2, 2, 25, 25, 0, 90); });
    auto backward = drawn(30, 30, [](Graphics& g) { g.drawArc(2, 2, 25, 25, 90, -90); });
    EXPECT_EQ(forward.mask(), backward.mask());
    auto many = drawn(30, 30, [](Graphics& g) { g.drawArc(2, 2, 25, 25, 10, 360 * 1000000 + 45); });
    auto once = drawn(30, 30, [](Graphics& g) { g.drawArc(2, 2, 25, 25, 10, 360 + 45); });
    EXPECT_EQ(many.mask(), once.mask());
}

TEST(GraphicsShapes, TriangleVertexOrderDoesNotChangeThePixels) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coordinate(-10, 50);
    for (int iteration = 0; iteration < 300; ++iteration) {
        int32_t p[3][2];
        for (auto& v : p) v[0] = coordinate(random), v[1] = coordinate(random);
        // A few triangles with shared rows, where the vertex naming is ambiguous.
        if (iteration % 4 == 0) p[1][1] = p[0][1];
        int order[3] = {0, 1, 2};
        std::string first;
        do {
            auto canvas = drawn(40, 40, [&](Graphics& g) {
                g.fillTriangle(p[order[0]][0], p[order[0]][1], p[order[1]][0], p[order[1]][1], p[order[2]][0],
                               p[order[2]][1]);
            });
            if (first.empty()) {
                first = canvas.mask();
            } else {
                ASSERT_EQ(canvas.mask(), first) << "iteration " << iteration;
            }
        } while (std::next_permutation(order, order + 3));
    }
}

TEST(GraphicsShapes, TriangleFillsItsInterior) {
    auto canvas = drawn(12, 12, [](Graphics& g) { g.fillTriangle(1, 1, 10, 1, 1, 10); });
    EXPECT_NE(canvas.at(2, 2), lcduitest::BACKGROUND);
    EXPECT_NE(canvas.at(1, 10), lcduitest::BACKGROUND);
    EXPECT_EQ(canvas.at(10, 10), lcduitest::BACKGROUND);
    auto flat = drawn(12, 12, [](Graphics& g) { g.fillTriangle(1, 5, 10, 5, 4, 5); });
    EXPECT_EQ(flat.mask(), GuardedCanvas(12, 12).mask());
}

// Mended faults: each case once drew outside its clip, crashed, divided by zero or never ended.
TEST(GraphicsFaults, MendedCasesDrawExactlyWhatTheClipAllows) {
    struct Case {
        const char* name;
        std::function<void(Graphics&)> draw;
        std::string expected;
    };
    const std::string blank = rows({"..........", "..........", "..........", "..........", ".........."});
    const Case cases[] = {
        {"diagonal line wholly left of the clip",
         [](Graphics& g) {
             g.setClip(6, 0, 4, 5);
             g.drawLine(0, 0, 4, 4);
             g.drawLine(4, 0, 0, 4);
             g.drawLine(0, -20, 5, 40);
         },
         blank},
        {"diagonal line wholly right of the clip",
         [](Graphics& g) {
             g.setClip(0, 0, 4, 5);
             g.drawLine(5, 0, 9, 4);
             g.drawLine(9, 0, 5, 4);
             g.drawLine(8, -20, 4, 40);
         },
         blank},
        {"diagonal line with an empty clip",
         [](Graphics& g) {
             g.setClip(3, 3, 0, 0);
             g.drawLine(0, 0, 9, 4);
         },
         blank},
        {"diagonal line cut by the clip lights the whole line's pixels",
         [](Graphics& g) {
             g.setClip(2, 1, 6, 3);
             g.drawLine(0, 0, 9, 4);
         },
         rows({"..........", "..##......", "....##....", "......##..", ".........."})},
        {"rectangle whose right edge overflows int",
         [](Graphics& g) { g.fillRect(7, 1, INT_MAX, 2); },
         rows({"..........", ".......###", ".......###", "..........", ".........."})},
        {"rectangle from far left", [](Graphics& g) { g.fillRect(INT_MIN, 4, INT_MAX, 1); }, blank},
        {"rectangle under a huge translation",
         [](Graphics& g) {
             g.translate(INT_MAX, 0);
             g.fillRect(INT_MAX, 0, 10, 10);
         },
         blank},
        {"zero-size filled arc", [](Graphics& g) { g.fillArc(5, 2, 0, 0, 0, 360); }, blank},
        {"copyArea with negative sizes", [](Graphics& g) {
             g.fillRect(0, 0, 2, 2);
             g.copyArea(0, 0, -2, -2, 5, 2, 0);
             g.copyArea(0, 0, 2, -2, 5, 2, 0);
         },
         rows({"##........", "##........", "..........", "..........", ".........."})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(drawn(10, 5, c.draw).mask(), c.expected);
    }
}

TEST(GraphicsFaults, HugeShapesFinishAndStayInTheClip) {
    auto canvas = drawn(16, 16, [](Graphics& g) {
        g.setClip(2, 2, 8, 8);
        g.fillArc(INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX, 0, 360);
        g.fillArc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 30, 200);
        g.fillTriangle(-(1 << 30), -(1 << 30), 1 << 30, 0, 0, 1 << 30);
        g.fillTriangle(INT_MIN, INT_MIN, INT_MAX, INT_MIN, INT_MIN, INT_MAX);
        g.drawArc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        g.drawRoundRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
        g.fillRoundRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
        g.drawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
        g.drawLine(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
    });
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            if (x >= 2 && x < 10 && y >= 2 && y < 10) continue;
            EXPECT_EQ(canvas.at(x, y), lcduitest::BACKGROUND) << x << "," << y;
        }
    EXPECT_NE(canvas.at(5, 5), lcduitest::BACKGROUND);
}

TEST(GraphicsRGB, RowCutOnBothSidesShowsTheMiddleOfTheArray) {
    GuardedCanvas canvas(10, 3);
    auto rgb = java::lang::jnew<JArray<int>>(10);
    for (int32_t i = 0; i < 10; ++i) rgb->data[i] = 0x010203 * (i + 1);
    canvas.graphics->setClip(2, 0, 5, 3);
    canvas.graphics->drawRGB(rgb, 0, 10, -1, 1, 10, 1, false);
    for (int32_t x = 0; x < 10; ++x) {
        const uint32_t expected = x >= 2 && x < 7 ? pixelFromRGB(rgb->data[x + 1]) : lcduitest::BACKGROUND;
        EXPECT_EQ(canvas.at(x, 1), expected) << x;
    }
    EXPECT_TRUE(canvas.canaryIntact());
}

TEST(GraphicsRGB, AlphaBlendingMovesChannelsByAlphaPlusOne) {
    GuardedCanvas canvas(3, 1);
    canvas.at(0, 0) = canvas.at(1, 0) = canvas.at(2, 0) = 0x40102030u;  // destination alpha 0x40 must survive
    auto rgb = java::lang::jnew<JArray<int>>(3);
    rgb->data[0] = 0x00FFFFFF;
    rgb->data[1] = static_cast<int32_t>(0xFF0A0B0Cu);
    rgb->data[2] = static_cast<int32_t>(0x80F0E0D0u);
    canvas.graphics->drawRGB(rgb, 0, 3, 0, 0, 3, 1, true);
    EXPECT_EQ(canvas.at(0, 0), 0x40102030u);
    EXPECT_EQ(canvas.at(1, 0), 0xFF0C0B0Au);
    // Each channel moves floor((s - d) * 129 / 256): red 0x30->0xF0, green 0x20->0xE0, blue 0x10->0xD0.
    auto mixed = [](int d, int s) { return d + ((s - d) * 129 >> 8); };
    const uint32_t expected = 0x40000000u | uint32_t(mixed(0x10, 0xD0)) << 16 | uint32_t(mixed(0x20, 0xE0)) << 8 |
                              uint32_t(mixed(0x30, 0xF0));
    EXPECT_EQ(canvas.at(2, 0), expected);
}

TEST(GraphicsRGB, CallerRangesAreChecked) {
    GuardedCanvas canvas(8, 8);
    Graphics& g = *canvas.graphics;
    auto rgb = java::lang::jnew<JArray<int>>(16);
    EXPECT_THROW(g.drawRGB(rgb, 1, 4, 0, 0, 4, 4, false), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(g.drawRGB(rgb, -1, 4, 0, 0, 2, 2, false), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(g.drawRGB(rgb, 0, -4, 0, 0, 2, 2, false), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(g.drawRGB(rgb, 0, INT_MAX, 0, 0, 2, 2, false), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_NO_THROW(g.drawRGB(rgb, 12, -4, 0, 0, 4, 4, false));
    EXPECT_NO_THROW(g.drawRGB(rgb, 99, 4, 0, 0, 0, 4, false));
    EXPECT_THROW(g.getRGB(rgb, 0, 4, 0, 0, 4, 5), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(g.getRGB(rgb, 0, 4, 6, 0, 4, 4), java::lang::IllegalArgumentException);
    EXPECT_THROW(g.drawRGB(nullptr, 0, 4, 0, 0, 4, 4, false), java::lang::NullPointerException);
    EXPECT_TRUE(canvas.canaryIntact());
}

TEST(GraphicsRGB, GetRGBAndCopyAreaRoundTrip) {
    GuardedCanvas canvas(8, 6);
    Graphics& g = *canvas.graphics;
    g.setColor(0x102030);
    g.fillRect(0, 0, 2, 2);
    auto rgb = java::lang::jnew<JArray<int>>(4);
    g.getRGB(rgb, 0, 2, 0, 0, 2, 2);
    EXPECT_EQ(static_cast<uint32_t>(rgb->data[3]), 0xFF102030u);
    g.copyArea(0, 0, 2, 2, 7, 5, Graphics::RIGHT | Graphics::BOTTOM);
    EXPECT_EQ(canvas.mask(), rows({"##......", "##......", "........", ".....##.", ".....##.", "........"}));
    // A source partly outside the target copies the part inside, in its place.
    g.copyArea(-1, -1, 3, 3, 3, 0, 0);
    EXPECT_EQ(canvas.mask(), rows({"##......", "##..##..", "....##..", ".....##.", ".....##.", "........"}));
    EXPECT_TRUE(canvas.canaryIntact());
}
