// Font slots, measuring and drawing with bitmap fonts from the shared writer and with system fonts,
// checked through the recording Graphics.
#include <gtest/gtest.h>

#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"
#include "tools/writers/FrameworkFontFile.h"

namespace {

using javax::microedition::lcdui::Font;
using javax::microedition::lcdui::Graphics;
using lcduitest::EventLog;
using lcduitest::RecordingGraphics;
using Log = std::vector<std::string>;
using java::lang::jnew;
using java::lang::String;

// Cells of 8 x 20; ink of the one glyph per character as a rectangle inside its cell.
writers::FrameworkFont fontOf(const std::u16string& characters, std::vector<int32_t> advances,
                              const std::vector<std::array<int, 4>>& ink) {
    writers::FrameworkFont font;
    font.characters = characters;
    font.advances = std::move(advances);
    font.spaceWidth = 5;
    font.spacing = -1;
    font.cellWidth = 8, font.cellHeight = 20;
    for (const auto& [x, y, w, h] : ink) {
        std::vector<std::string> rows(20, std::string(8, '.'));
        for (int r = y; r < y + h; ++r)
            for (int c = x; c < x + w; ++c) rows[r][c] = '#';
        font.glyphs.push_back(rows);
    }
    return font;
}

class FrameworkFontsTest : public BundleFixture {
protected:
    void SetUp() override {
        BundleFixture::SetUp();
        writers::ResourceBundle bundle(1);
        const int32_t block = bundle.addBlock(0);
        first = fontOf(u"AB-", {7, 3, 2}, {{2, 3, 4, 8}, {0, 5, 2, 10}, {1, 10, 3, 1}}).addTo(bundle, block);
        second = fontOf(u"xy", {5, 5}, {{0, 0, 5, 5}, {0, 0, 5, 5}}).addTo(bundle, block);
        third = fontOf(u"z", {5}, {{0, 0, 5, 5}}).addTo(bundle, block);
        install(bundle);
        resources.loadResourceBlock(block);
        fonts.screenHeight = [] { return 480; };
    }
    int32_t imagesInUse() {
        int32_t n = 0;
        for (int32_t s = 0; s < 256; ++s) n += images.currentImageTransforms(s) == 255;
        return n;
    }

    ImageCache images{resources};
    FrameworkFonts fonts{resources, images};
    int32_t first = 0, second = 0, third = 0;
    EventLog log;
    JavaPtr<Graphics> g{new RecordingGraphics(log)};
};

TEST_F(FrameworkFontsTest, SlotsAreSharedByTheSameFontAndRunOutAtTwo) {
    EXPECT_EQ(fonts.loadBitmapFont(first, -1), 0);
    EXPECT_EQ(fonts.loadBitmapFont(first, -1), 0);
    EXPECT_EQ(fonts.loadBitmapFont(second, -1), 1);
    EXPECT_EQ(fonts.loadBitmapFont(third, -1), -1);
    EXPECT_EQ(imagesInUse(), 2) << "the refused font's glyph sheet is released again";
    EXPECT_EQ(fonts.loadSystemFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_MEDIUM, 0xFF0000), -1);

    fonts.unloadFont(0);
    fonts.unloadFont(1);
    EXPECT_EQ(imagesInUse(), 0);
    EXPECT_EQ(fonts.loadSystemFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_MEDIUM, 0xFF0000), 0);
    EXPECT_EQ(fonts.loadSystemFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_MEDIUM, 0xFF0000), 0);
    EXPECT_EQ(fonts.loadSystemFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_MEDIUM, 0x0000FF), 1)
        << "another colour is another slot";
    EXPECT_EQ(fonts.loadBitmapFont(9999, -1), -1)
        << "a font without resources takes no slot";
}

TEST_F(FrameworkFontsTest, BitmapFontsMeasureWithSpacingAndAdvances) {
    const int32_t slot = fonts.loadBitmapFont(first, -1);
    struct Case {
        char16_t c;
        int32_t width, framework, index;
    };
    // Space 5 - 1; advances 7, 3, 2 - 1; the framework's own width is the cropped ink - 1.
    const Case cases[] = {{u' ', 4, 4, -1}, {u'A', 6, 3, 0}, {u'B', 2, 1, 1}, {u'-', 1, 2, 2}, {u'Z', 0, 0, -1},
                          {u'\n', 0, 0, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(fonts.getCharWidth(slot, c.c), c.width) << char(c.c);
        EXPECT_EQ(fonts._FuSeD_mThD_1_getCharWidth(slot, c.c), c.framework) << char(c.c);
        EXPECT_EQ(fonts.getBitmapFontCharacterIndex(slot, c.c), c.index) << char(c.c);
    }
    EXPECT_EQ(fonts.getStringWidth(slot, jnew<String>("A\nZ B")), 12);
    auto lines = jnew<JArray<String>>(2);
    lines->data[0] = jnew<String>("AB"), lines->data[1] = jnew<String>("AAA");
    EXPECT_EQ(fonts.getMaxStringWidths(slot, lines), 18);
    EXPECT_EQ(fonts.getFontHeight(slot), 20);
    EXPECT_EQ(fonts.getFontHeight(1), 0) << "an empty slot";
    EXPECT_EQ(fonts.getCharWidth(-1, u'A'), 0);
}

TEST_F(FrameworkFontsTest, BitmapTextIsAnchoredPlacedByItsInkAndCulledByItsY) {
    fonts.drawString(g, jnew<String>("A"), 0, 0, Graphics::TOP | Graphics::LEFT, -1);
    EXPECT_TRUE(log.take().empty()) << "nothing is drawn before a slot is selected";
    fonts.setFont(g, fonts.loadBitmapFont(first, -1));
    fonts.drawString(g, jnew<String>("AB AZ"), 100, 100, Graphics::BOTTOM | Graphics::HCENTER, -1);
    EXPECT_EQ(log.take(), (Log{"drawImage 4x8,91,83,20", "drawImage 2x10,97,85,20", "drawImage 4x8,103,83,20"}))
        << "18 pixels wide, 20 high: the box starts at (91, 80); each glyph at its ink's place in the cell";
    fonts.drawString(g, jnew<String>("AB"), 10, 0, Graphics::TOP | Graphics::RIGHT, 10);
    EXPECT_EQ(log.take(), (Log{"drawImage 4x8,-10,3,20", "drawImage 2x10,0,5,20"})) << "a fixed advance of 10";

    struct Case {
        int32_t y;
        bool drawn;
    };
    for (const Case c : {Case{-121, false}, Case{-120, true}, Case{600, true}, Case{601, false}}) {
        fonts.drawString(g, jnew<String>("A"), 0, c.y, Graphics::TOP | Graphics::LEFT, -1);
        EXPECT_EQ(log.take().size(), c.drawn ? 1u : 0u) << c.y;
    }
}

TEST_F(FrameworkFontsTest, SystemFontsDrawInTheirColourAndSplitLinesStack) {
    const int32_t slot = fonts.loadSystemFont(Font::FACE_SYSTEM, Font::STYLE_BOLD, Font::SIZE_SMALL, 0x123456);
    fonts.setFont(g, slot);
    auto chars = jnew<JArray<char16_t>>(3);
    chars->data[0] = u'a', chars->data[1] = u'b', chars->data[2] = u'c';
    fonts.drawCharsExtended(g, chars, 1, 2, 5, 6, Graphics::TOP | Graphics::LEFT, -1);
    fonts.drawString(g, jnew<String>("ab"), 50, 60, Graphics::TOP | Graphics::RIGHT, 8);
    auto lines = jnew<JArray<String>>(3);
    lines->data[0] = jnew<String>("a"), lines->data[1] = jnew<String>("b"), lines->data[2] = jnew<String>("c");
    fonts.drawSplitString(g, lines, 10, 100, Graphics::VCENTER | Graphics::LEFT, 10);
    EXPECT_EQ(log.take(), (Log{"setFont 0,1,8", "setColor 0x123456", "drawChars \"bc\",1,2,5,6,20",
                               "setColor 0x123456", "drawChar \"a\",34,60,20", "drawChar \"b\",42,60,20",
                               "setColor 0x123456", "drawSubstring \"a\",0,1,10,85,20", "setColor 0x123456",
                               "drawSubstring \"b\",0,1,10,95,20", "setColor 0x123456",
                               "drawSubstring \"c\",0,1,10,105,20"}));
    EXPECT_THROW(fonts.drawCharsExtended(g, chars, 2, 2, 0, 0, 0, -1), java::lang::ArrayIndexOutOfBoundsException);
}

}  // namespace
