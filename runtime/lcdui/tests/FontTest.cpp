#include <gtest/gtest.h>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/GuardedCanvas.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;
using lcduitest::GuardedCanvas;
using lcduitest::rows;

namespace {

JavaPtr<java::lang::String> text(const char* s) { return java::lang::jnew<java::lang::String>(s); }

class FontTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(GetParam()).bytes())); }
    void TearDown() override { BitmapFontSystem::BitmapFontSystem_staticDestroy(); }
};

}  // namespace

TEST_P(FontTest, MeasuresGlyphsMissingCharactersAndTheSpace) {
    const auto font = Font::getDefaultFont();
    EXPECT_EQ(font->getHeight(), 8);
    EXPECT_EQ(font->stringWidth(text("A")), 5);
    EXPECT_EQ(font->stringWidth(text("AB")), 10);
    EXPECT_EQ(font->stringWidth(text("?")), 10);
    EXPECT_EQ(font->stringWidth(text(" ")), 4);
    EXPECT_EQ(font->stringWidth(text("")), 0);
    EXPECT_EQ(font->substringWidth(text("xxAbxx"), 2, 2), font->stringWidth(text("Ab")));
    EXPECT_EQ(font->charWidth(u'c'), 3);
    EXPECT_THROW(font->substringWidth(text("abc"), 2, 2), java::lang::StringIndexOutOfBoundsException);
    EXPECT_THROW(font->substringWidth(text("abc"), -1, 1), java::lang::StringIndexOutOfBoundsException);
    auto chars = java::lang::jnew<JArray<jchar>>(3);
    chars->data[0] = u'A', chars->data[1] = u'B', chars->data[2] = u'?';
    EXPECT_EQ(font->charsWidth(chars, 1, 2), 15);
    EXPECT_EQ(font->charsWidth(chars, 99, 0), 0);
    EXPECT_THROW(font->charsWidth(chars, 2, 2), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROW(font->charsWidth(chars, -1, 1), java::lang::ArrayIndexOutOfBoundsException);
}

TEST_P(FontTest, DrawsGlyphsAtTheirOffsetsAndSkipsMissingOnes) {
    GuardedCanvas canvas(20, 10);
    Graphics& g = *canvas.graphics;
    g.setColor(0xFFFFFF);
    g.drawString(text("A?b"), 1, 0, Graphics::TOP | Graphics::LEFT);
    // 'A' sits one row down in its cell; '?' moves the pen 11; 'b' starts at 1 + 5 + 11.
    EXPECT_EQ(canvas.mask(), rows({".................#..", "..##.............#..", ".#..#............##.",
                                   ".####............#.#", ".#..#............##.", ".#..#...............",
                                   "....................", "....................", "....................",
                                   "...................."}));
    EXPECT_EQ(canvas.at(2, 1), 0xFFFFFFFFu);
    EXPECT_TRUE(canvas.canaryIntact());
}

TEST_P(FontTest, AnchorsMoveTheTextByItsWidthAndHeight) {
    GuardedCanvas right(20, 20), centred(20, 20), bottom(20, 20);
    right.graphics->drawString(text("x"), 10, 0, Graphics::RIGHT | Graphics::TOP);
    centred.graphics->drawString(text("x"), 10, 0, Graphics::HCENTER | Graphics::RIGHT);
    bottom.graphics->drawString(text("x"), 0, 16, Graphics::BOTTOM | Graphics::VCENTER);
    right.graphics->setColor(0xFFFFFF);
    // Colour set after drawing above is black on black, so draw again in white.
    right.graphics->drawString(text("x"), 10, 0, Graphics::RIGHT | Graphics::TOP);
    centred.graphics->setColor(0xFFFFFF);
    centred.graphics->drawString(text("x"), 10, 0, Graphics::HCENTER | Graphics::RIGHT);
    bottom.graphics->setColor(0xFFFFFF);
    bottom.graphics->drawString(text("x"), 0, 16, Graphics::BOTTOM | Graphics::VCENTER);
    EXPECT_NE(right.at(6, 3), lcduitest::BACKGROUND);   // width 4: starts at 10 - 4
    EXPECT_NE(centred.at(8, 3), lcduitest::BACKGROUND);  // HCENTER wins over RIGHT for text: 10 - 2
    EXPECT_NE(bottom.at(0, 16 - 8 - 4 + 3), lcduitest::BACKGROUND);  // raised by one and a half lines
}

TEST_P(FontTest, GlyphsBelowTheLineAreCutByTheClip) {
    GuardedCanvas canvas(12, 12);
    Graphics& g = *canvas.graphics;
    g.setColor(0xFFFFFF);
    g.setClip(0, 0, 12, 8);
    // 'y' hangs from row 4 to row 8 of its line; its last row lies below the clip.
    g.drawString(text("y"), 0, 0, 0);
    EXPECT_NE(canvas.at(0, 7), lcduitest::BACKGROUND);
    for (int32_t x = 0; x < 12; ++x) EXPECT_EQ(canvas.at(x, 8), lcduitest::BACKGROUND);
    EXPECT_TRUE(canvas.canaryIntact());
}

// Glyphs cut by the clip on every side, or running off the target's right edge, keep exactly the
// pixels they have uncut, over a background of many colours; nothing outside the clip changes.
TEST_P(FontTest, CutTextKeepsTheUncutPixelsInsideTheClipOnly) {
    const auto background = [](int32_t x, int32_t y) {
        return 0xFF000000u | static_cast<uint32_t>(x * 0x0B1F27 + y * 0x3301);
    };
    const auto paint = [&](GuardedCanvas& canvas, int32_t width, int32_t height) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) canvas.at(x, y) = background(x, y);
        canvas.graphics->setColor(0x80FF40);
    };
    GuardedCanvas whole(40, 12);
    paint(whole, 40, 12);
    whole.graphics->drawString(text("AcbyxcBz"), 1, 1, 0);
    struct Cut {
        int32_t width, clipX, clipY, clipWidth, clipHeight;
    };
    const Cut cuts[] = {
        {40, 3, 0, 40, 12}, {40, 0, 0, 3, 12},  {40, 2, 0, 9, 12},  {40, 7, 3, 8, 3},  {40, 0, 2, 15, 5},
        {40, 0, 4, 40, 2},  {14, 0, 0, 14, 12}, {15, 0, 0, 15, 12}, {13, 2, 1, 11, 9}, {40, 0, 0, 0, 12},
    };
    for (const Cut& cut : cuts) {
        GuardedCanvas canvas(cut.width, 12);
        paint(canvas, cut.width, 12);
        canvas.graphics->setClip(cut.clipX, cut.clipY, cut.clipWidth, cut.clipHeight);
        canvas.graphics->drawString(text("AcbyxcBz"), 1, 1, 0);
        for (int32_t y = 0; y < 12; ++y)
            for (int32_t x = 0; x < cut.width; ++x) {
                const bool inside = x >= cut.clipX && x < cut.clipX + cut.clipWidth && y >= cut.clipY &&
                                    y < cut.clipY + cut.clipHeight;
                ASSERT_EQ(canvas.at(x, y), inside ? whole.at(x, y) : background(x, y))
                    << "clip " << cut.clipX << "," << cut.clipY << " " << cut.clipWidth << "x" << cut.clipHeight
                    << " in " << cut.width << " wide, at " << x << "," << y;
            }
        EXPECT_TRUE(canvas.canaryIntact());
    }
}

TEST_P(FontTest, TextRangesAreChecked) {
    GuardedCanvas canvas(8, 8);
    Graphics& g = *canvas.graphics;
    EXPECT_THROW(g.drawSubstring(text("abc"), 2, 2, 0, 0, 0), java::lang::StringIndexOutOfBoundsException);
    EXPECT_NO_THROW(g.drawSubstring(text("abc"), 3, 0, 0, 0, 0));
    auto chars = java::lang::jnew<JArray<jchar>>(2);
    EXPECT_NO_THROW(g.drawChars(chars, 99, 0, 0, 0, 0));
    EXPECT_THROW(g.drawChars(chars, 1, 2, 0, 0, 0), java::lang::ArrayIndexOutOfBoundsException);
    g.setFont(nullptr);
    g.setColor(0xFFFFFF);
    g.drawChar(u'x', 0, 0, 0);
    EXPECT_NE(canvas.mask(), GuardedCanvas(8, 8).mask());
}

INSTANTIATE_TEST_SUITE_P(BothFileForms, FontTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "EightBitMarked" : "FourBitPlain"; });

TEST(FontCoverage, HalfCoverageMovesEachChannelHalfWay) {
    ASSERT_TRUE(lcduitest::installFont(lcduitest::sampleFont(true).bytes()));
    GuardedCanvas canvas(4, 8);
    canvas.at(0, 3) = 0x40204060u;
    canvas.graphics->setColor(0xFFFFFF);
    canvas.graphics->drawString(text("c"), 0, 0, 0);
    auto half = [](uint32_t d) { return d + ((255 - d) * 128 >> 8); };
    EXPECT_EQ(canvas.at(0, 3), 0x40000000u | half(0x20) << 16 | half(0x40) << 8 | half(0x60));
    EXPECT_EQ(canvas.at(1, 3), 0xFFFFFFFFu);
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
}

// Lines inside the clip with glyphs of many widths, characters beyond the first 256, a missing one
// and a right anchor, and lines whose pen moves back (a space narrower than zero) out of the clip,
// are their glyphs' coverage covered pixel by pixel, in order, inside the clip.
TEST(FontLines, TextIsItsGlyphsCoveredOneByOneInsideTheClip) {
    auto wide = lcduitest::sampleFont(true), backward = wide;
    wide.cellWidth = 12;
    wide.glyphs = {{u'W', 0, {"#...+...#", "#...#...#", "+.#.#.#.+", ".#.#.#.#."}},
                   {u'\u0416', 2, {"#..#..#", ".#.#.#.", "..###..", "+..+..+", "#..#..#"}}, {u'i', 3, {"#", ".", "+"}}};
    backward.spaceWord = 0xFA00;
    const struct {
        lcduitest::SyntheticFont font;
        std::u16string text;
        int32_t x, anchor, clipX;
    } cases[] = {
        {lcduitest::sampleFont(true), u"AbcxyzBz?Acy", 2, 0, 0},
        {lcduitest::sampleFont(true), u"Ab?cy", 50, Graphics::RIGHT, 0},
        {wide, u"W\u0416iW?i\u0416", 1, 0, 0},
        {wide, u"iW\u0416W", 27, 0, 0},
        {backward, u"A x Bc y", 4, 0, 0},
        {backward, u"A  x", 4, 0, 4},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(lcduitest::installFont(c.font.bytes()));
        const auto& font = *BitmapFontSystem::tables();
        GuardedCanvas drawn(60, 12), expected(60, 12);
        for (GuardedCanvas* canvas : {&drawn, &expected})
            for (int32_t y = 0; y < 12; ++y)
                for (int32_t x = 0; x < 60; ++x) canvas->at(x, y) = 0xFF000000u | (x * 0x0B1F27 + y * 0x3301);
        drawn.graphics->setColor(0x80FF40);
        drawn.graphics->setClip(c.clipX, 0, 60, 12);
        const auto line = java::lang::jnew<java::lang::String>(c.text.data(), static_cast<int32_t>(c.text.size()));
        drawn.graphics->drawString(line, c.x, 1, c.anchor | Graphics::TOP);
        const uint32_t colour = drawn.graphics->getPixelColour();
        int32_t pen = c.x - (c.anchor ? static_cast<int32_t>(font.measure(c.text.data(), c.text.size())) : 0);
        for (const char16_t unit : c.text) {
            const int32_t glyph = font.glyphFor(unit), width = glyph < 0 ? 10 : font.m_charWidths[glyph];
            std::vector<uint8_t> coverage(std::max(width, 0) * font.m_fontHeight);
            if (glyph >= 0) font.rasterise(glyph, coverage.data());
            for (size_t i = 0; glyph >= 0 && i < coverage.size(); ++i) {
                const int32_t x = pen + static_cast<int32_t>(i) % width, y = 1 + font.m_charYOffset[glyph] + i / width;
                if (x >= c.clipX && y < 12) expected.at(x, y) = coverPixel(expected.at(x, y), colour, coverage[i]);
            }
            pen += width + 1;
        }
        EXPECT_EQ(drawn.snapshot(), expected.snapshot()) << std::string(c.text.begin(), c.text.end());
        EXPECT_TRUE(drawn.canaryIntact());
    }
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
}

TEST(FontLoading, BadFilesAreRejectedAndTextStaysSafe) {
    const auto good = lcduitest::sampleFont(false).bytes();
    ASSERT_TRUE(BitmapFontSystem::parse(good));
    for (size_t length = 0; length < good.size(); ++length)
        ASSERT_FALSE(BitmapFontSystem::parse({good.data(), length})) << length;

    struct Case {
        const char* name;
        std::function<void(lcduitest::SyntheticFont&)> spoil;
    };
    const Case cases[] = {
        {"glyph taller than the font", [](auto& f) { f.glyphs[0].rows.resize(9, "...."); f.cellHeight = 8; }},
        {"glyph wider than a packed row", [](auto& f) { f.cellWidth = 40; f.glyphs[1].rows.assign(2, std::string(33, '#')); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto font = lcduitest::sampleFont(false);
        c.spoil(font);
        EXPECT_FALSE(BitmapFontSystem::parse(font.bytes()));
    }
    auto noGlyphsPerRow = good;
    noGlyphsPerRow[5] = noGlyphsPerRow[6] = 0;
    EXPECT_FALSE(BitmapFontSystem::parse(noGlyphsPerRow));
    auto overshooting = good;
    overshooting.insert(overshooting.begin() + 1 + 8 + 8 * 8 + 1, 0xFF);  // an extra run of 16 pixels
    EXPECT_FALSE(BitmapFontSystem::parse(overshooting));
    auto tooManyCharacters = good;
    const size_t countAt = good.size() - 2 * 7 - 4;
    tooManyCharacters[countAt + 1] = 9;  // nine characters for eight glyph slots
    EXPECT_FALSE(BitmapFontSystem::parse(tooManyCharacters));

    // Missing file and empty name: init fails, and text neither draws nor crashes.
    EXPECT_FALSE(lcduitest::installFont({}));
    const char* saved = INTERNAL_BMP_FONT_RESNAME;
    INTERNAL_BMP_FONT_RESNAME = "";
    EXPECT_FALSE(BitmapFontSystem::init());
    INTERNAL_BMP_FONT_RESNAME = saved;
    EXPECT_FALSE(lcduitest::installFont(overshooting));

    ASSERT_TRUE(lcduitest::installFont(good));
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
    const auto font = Font::getDefaultFont();
    EXPECT_EQ(font->stringWidth(text("AB")), 20);
    EXPECT_EQ(font->getHeight(), 0);
    GuardedCanvas canvas(8, 8);
    canvas.graphics->setColor(0xFFFFFF);
    canvas.graphics->drawString(text("AB"), 0, 0, 0);
    EXPECT_EQ(canvas.mask(), GuardedCanvas(8, 8).mask());
    EXPECT_TRUE(BitmapFontSystem::init());
    BitmapFontSystem::BitmapFontSystem_staticDestroy();
}

TEST(FontValues, FaceStyleAndSizeAreValidated) {
    const auto font = Font::getFont(Font::FACE_MONOSPACE, Font::STYLE_BOLD | Font::STYLE_ITALIC, Font::SIZE_LARGE);
    EXPECT_EQ(font->getCode(), 0x33);
    EXPECT_TRUE(font->isBold());
    EXPECT_TRUE(font->isItalic());
    EXPECT_FALSE(font->isPlain());
    EXPECT_EQ(font->getSize(), Font::SIZE_LARGE);
    EXPECT_EQ(font->getBaselinePosition(), 0);
    EXPECT_THROW(Font::getFont(16, 0, 0), java::lang::IllegalArgumentException);
    EXPECT_THROW(Font::getFont(0, 8, 0), java::lang::IllegalArgumentException);
    EXPECT_THROW(Font::getFont(0, 0, 4), java::lang::IllegalArgumentException);
}

TEST(LCDUIStrings, TableGivesNamesAbbreviationsAndNullOutside) {
    const std::pair<int32_t, const char16_t*> expected[] = {
        {LCDUI_STRINGS_MONTH_JANUARY, u"January"}, {LCDUI_STRINGS_MONTH_DECEMBER, u"December"},
        {20, u"Sep"}, {LCDUI_STRINGS_MONTH_JANUARY_ABR, u"Jan"}, {LCDUI_STRINGS_WEEK_SUNDAY, u"Sunday"},
        {LCDUI_STRINGS_WEEK_SATURDAY, u"Saturday"}, {34, u"Wed"}, {LCDUI_STRINGS_WEEK_SATURDAY_ABR, u"Sat"},
        {LCDUI_STRINGS_DATE, u"Date"}, {LCDUI_STRINGS_TIME, u"Time"}, {LCDUI_STRINGS_SOFTKEY_MENU, u"Menu"},
        {LCDUI_STRINGS_SOFTKEY_CANCEL, u"Cancel"}, {LCDUI_STRINGS_SOFTKEY_SELECT, u"Select"},
        {LCDUI_STRINGS_SOFTKEY_SAVE, u"Save"}, {LCDUI_STRINGS_SOFTKEY_DISMISS, u"Dismiss"},
    };
    for (const auto& [index, words] : expected) {
        const auto got = LCDUI_stringsGet(index);
        ASSERT_TRUE(got) << index;
        EXPECT_EQ(got->view(), std::u16string_view(words)) << index;
    }
    EXPECT_FALSE(LCDUI_stringsGet(45));
    EXPECT_FALSE(LCDUI_stringsGet(-1));
    EXPECT_NE(LCDUI_stringsGet(3), LCDUI_stringsGet(3));
}
