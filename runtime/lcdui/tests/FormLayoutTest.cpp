// Text wrapping and the form layout: rows, flowing text, break rules, spare width, row heights and
// the scroll bar, with the fixed-width letters of the synthetic font (10 pixels each).
#include <random>

#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

// An item with given content sizes and the padding of the item base.
class Block : public Item {
    JAVA_CLASS(Block, "formtest.Block", Item)
public:
    Block(int32_t minWidth, int32_t prefWidth, int32_t minHeight, int32_t prefHeight)
        : minWidth(minWidth), prefWidth(prefWidth), minHeight(minHeight), prefHeight(prefHeight) {}
    int32_t getMinContentWidth() override { return minWidth; }
    int32_t getPrefContentWidth(int32_t) override { return prefWidth; }
    int32_t getMinContentHeight() override { return minHeight; }
    int32_t getPrefContentHeight(int32_t) override { return prefHeight; }
    bool requiresOwnRow() override { return ownRow; }

    int32_t minWidth, prefWidth, minHeight, prefHeight;
    bool ownRow = false;
};

// Stands in for an interactive item, which the layout knows by its class.
class FakeGauge : public Block {
    JAVA_CLASS(FakeGauge, "javax.microedition.lcdui.Gauge", Block)
public:
    using Block::Block;
};

template <class T = Block>
JavaPtr<T> block(int32_t width, int32_t height, int32_t layout = 0, const char* label = nullptr) {
    auto made = JavaPtr<T>(new T(width, width, height, height));
    made->WENDinvokeconstructor();
    made->setLayout(layout);
    made->setLabel(str(label));
    return made;
}

JavaPtr<Font> font() { return Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL); }

using TextWrapTest = FormFixture;

TEST_F(TextWrapTest, WrapTextLineBreaksAtWordsSplitsLongWordsAndHonoursLineFeeds) {
    const struct {
        const char* text;
        int32_t start, width;
        const char* line;
        int32_t next;
        bool hyphenated;
    } cases[] = {
        {"ad ef", 0, 40, "ad", 3, false},        // room for "ad e" only: the whole first word
        {"adefgh", 0, 35, "ad-", 2, false},      // split where the hyphen still fits
        {"ade", 0, 5, "a", 1, false},            // narrower than one character: that character
        {"ade", 0, 15, "a", 1, false},           // room for a letter but not a letter and "-"
        {"a\n\nd", 0, 100, "a", 2, false},       // a letter, an empty line, a letter
        {"a\n\nd", 2, 100, "", 3, false},
        {"a\n\nd", 3, 100, "d", -1, false},
        {"ad   ef", 0, 40, "ad", 5, false},      // trailing and leading blanks belong to no line
        {"ade", 0, 100, "ade", -1, false},
        {"", 0, 10, "", -1, false},
        {"ad\n", 0, 100, "ad", -1, false},
    };
    for (const auto& c : cases) {
        int32_t next = -99;
        bool hyphenated = true;
        JavaPtr<String> line = StringItem::wrapTextLine(c.start, c.width, &next, &hyphenated, str(c.text), font());
        ASSERT_TRUE(line) << c.text;
        EXPECT_EQ(std::string(line->val()), c.line) << c.text << " from " << c.start << " in " << c.width;
        EXPECT_EQ(next, c.next) << c.text << " from " << c.start;
        EXPECT_EQ(hyphenated, std::string(c.line).ends_with("-")) << c.text;
    }
    EXPECT_FALSE(StringItem::wrapTextLine(0, 10, nullptr, nullptr, nullptr, font()));
}

TEST_F(TextWrapTest, EveryLineAdvancesFitsOrHoldsOneCharacterAndOnlyBlanksLieBetween) {
    std::mt19937 random(26);
    const char alphabet[] = "adefg  \n\t";
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    for (int round = 0; round < 2000; ++round) {
        std::string source(random() % 40, ' ');
        for (char& c : source) c = alphabet[random() % (sizeof alphabet - 1)];
        const int32_t width = 1 + static_cast<int32_t>(random() % 80);
        JavaPtr<String> text = str(source.c_str());
        for (int32_t start = 0, lines = 0; start != -1; ++lines) {
            ASSERT_LT(lines, 100) << "no end: \"" << source << "\" in " << width;
            int32_t next = -1;
            bool hyphenated = false;
            JavaPtr<String> line = StringItem::wrapTextLine(start, width, &next, &hyphenated, text, font());
            const int32_t taken = line->length() - (hyphenated ? 1 : 0);
            EXPECT_TRUE(font()->stringWidth(line) <= width || taken == 1) << source << " at " << start;
            EXPECT_EQ(std::string(line->substring(0, taken)->val()), text->substring(start, start + taken)->val());
            const int32_t end = next == -1 ? text->length() : next;
            ASSERT_TRUE(next == -1 || next > start) << "the line at " << start << " does not advance";
            for (int32_t i = start + taken; i < end; ++i)
                EXPECT_TRUE(blank(text->charAt(i))) << "\"" << source << "\" loses " << i;
            start = next;
        }
    }
}

using FormLayoutTest = FormFixture;

TEST_F(FormLayoutTest, ContentThatFitsNeedsNoBarAndTallerContentGetsOneAndItsHeight) {
    for (int i = 0; i < 3; ++i) form->append(JavaPtr<Item>(block(300, 20)));
    show();
    EXPECT_FALSE(canvas()->verticalScrollbarVisible());
    EXPECT_EQ(canvas()->usableWidth(), 310);
    EXPECT_EQ(canvas()->layoutHeight(), 3 * 26);

    for (int i = 0; i < 27; ++i) form->append(JavaPtr<Item>(block(300, 20)));
    tick();
    EXPECT_TRUE(canvas()->verticalScrollbarVisible());
    EXPECT_EQ(canvas()->usableWidth(), 295) << "the second pass is narrower by the bar";
    EXPECT_EQ(form->get(0)->m_width, 295);
    canvas()->setVerticalScrollPos(100000);
    EXPECT_EQ(canvas()->getVerticalScrollPos(), 30 * 26 - 480) << "the bar knows the content's height";
}

TEST_F(FormLayoutTest, FlowingTextEndsItsFirstRowFillsMiddleRowsAndSharesItsLast) {
    auto first = block(94, 10);
    // 30 words of two letters: 90 characters and blanks, 900 pixels.
    std::string words;
    for (int i = 0; i < 30; ++i) words += i ? " dd" : "dd";
    auto flowing = text(words.c_str());
    auto after = block(44, 10);
    form->append(JavaPtr<Item>(first));
    form->append(JavaPtr<Item>(flowing));
    form->append(JavaPtr<Item>(after));
    show();
    ASSERT_TRUE(flowing->isFlowing());
    JArray<String>& lines = *flowing->m_lines;
    ASSERT_GE(lines.length, 3);
    EXPECT_EQ((*flowing->m_lineX)[0], 5 + 100) << "the first line follows the first item";
    EXPECT_LE(font()->stringWidth(lines[0]), 310 - 100);
    for (int32_t i = 1; i + 1 < lines.length; ++i) {
        EXPECT_EQ((*flowing->m_lineX)[i], 5) << "a middle line takes a row of its own";
        EXPECT_EQ((*flowing->m_lineY)[i] - (*flowing->m_lineY)[i - 1], 8);
    }
    const JavaPtr<String> last = lines[lines.length - 1];
    EXPECT_EQ(after->m_x, 5 + font()->stringWidth(last)) << "the last line shares its row";
    EXPECT_EQ(first->m_row, 0);
    EXPECT_EQ(flowing->m_row, 1);
    EXPECT_EQ(after->m_row, 2);
    EXPECT_EQ(flowing->m_width, 310);
}

TEST_F(FormLayoutTest, TextWithALockedWidthNeverFlows) {
    auto locked = text("dd dd dd dd dd dd");
    locked->setPreferredSize(100, -1);
    form->append(JavaPtr<Item>(block(200, 10)));
    form->append(JavaPtr<Item>(locked));
    show();
    EXPECT_FALSE(locked->isFlowing());
    EXPECT_EQ(locked->m_width, 106);
    for (int32_t i = 0; i < locked->m_lines->length; ++i)
        EXPECT_LE(font()->stringWidth((*locked->m_lines)[i]), 100);
    EXPECT_EQ(locked->m_lines->length, 2);
}

TEST_F(FormLayoutTest, RowsBreakBeforeAndAfterWhatMustStandAlone) {
    using Make = std::function<JavaPtr<Item>()>;
    const Make plain = [] { return JavaPtr<Item>(block(10, 10)); };
    const struct {
        const char* name;
        Make prev, cur;
        bool newRow;
    } cases[] = {
        {"two plain items share", plain, plain, false},
        {"a: new line before", plain, [] { return JavaPtr<Item>(block(10, 10, Item::LAYOUT_NEWLINE_BEFORE)); }, true},
        {"b: another alignment", plain, [] { return JavaPtr<Item>(block(10, 10, Item::LAYOUT_RIGHT)); }, true},
        {"b: no alignment joins a right row", [] { return JavaPtr<Item>(block(10, 10, Item::LAYOUT_RIGHT)); }, plain, false},
        {"c: a label", plain, [] { return JavaPtr<Item>(block(10, 10, 0, "L")); }, true},
        {"d: text beginning with a line feed", plain, [] { return JavaPtr<Item>(text("\ndd")); }, true},
        {"e: an interactive item", plain, [] { return JavaPtr<Item>(block<FakeGauge>(10, 10)); }, true},
        {"f: after an interactive item", [] { return JavaPtr<Item>(block<FakeGauge>(10, 10)); }, plain, true},
        {"g: after text ending with a line feed", [] { return JavaPtr<Item>(text("dd\n")); }, plain, true},
        {"g: an empty text ends no row", [] { return JavaPtr<Item>(text("")); }, plain, false},
        {"h: an item that wants its own row", plain, [] { auto b = block(10, 10); b->ownRow = true; return JavaPtr<Item>(b); }, true},
    };
    for (const auto& c : cases) {
        form = makeForm(nullptr);
        JavaPtr<Item> prev = c.prev(), cur = c.cur();
        form->append(prev);
        form->append(cur);
        show();
        EXPECT_EQ(cur->m_row != prev->m_row, c.newRow) << c.name;
        EXPECT_EQ(cur->m_y >= prev->m_y + prev->m_height, c.newRow) << c.name;
    }
}

TEST_F(FormLayoutTest, SpareWidthGoesToShrinkItemsThenToExpandingOnesFromTheLeft) {
    const int32_t SHRINK = 0x400;
    const struct {
        const char* name;
        std::vector<JavaPtr<Block>> row;
        std::vector<int32_t> widths;
    } cases[] = {
        {"an over-wide item is narrowed", {block(400, 10)}, {310}},
        {"two expanding items, 5 spare", {block(100, 10, Item::LAYOUT_EXPAND), block(193, 10, Item::LAYOUT_EXPAND)}, {109, 201}},
        {"shrink items share 30 by their room",
         {JavaPtr<Block>(new Block(44, 144, 10, 10)), JavaPtr<Block>(new Block(44, 94, 10, 10)), block(174, 10)},
         {70, 60, 180}},
        {"and the odd pixel goes left",
         {JavaPtr<Block>(new Block(44, 144, 10, 10)), JavaPtr<Block>(new Block(44, 94, 10, 10)), block(173, 10)},
         {71, 60, 179}},
        {"shrink items grow no further than preferred, then expanders take the rest",
         {JavaPtr<Block>(new Block(44, 54, 10, 10)), block(100, 10, Item::LAYOUT_EXPAND)},
         {60, 250}},
    };
    for (const auto& c : cases) {
        form = makeForm(nullptr);
        for (const auto& item : c.row) {
            if (item->minWidth != item->prefWidth) {
                item->WENDinvokeconstructor();
                item->setLayout(SHRINK);
            }
            form->append(JavaPtr<Item>(item));
        }
        show();
        for (size_t i = 0; i < c.row.size(); ++i) EXPECT_EQ(c.row[i]->m_width, c.widths[i]) << c.name << " item " << i;
    }
}

TEST_F(FormLayoutTest, RowHeightAndVerticalPlacementFollowTheVerticalBits) {
    auto tall = block(10, 40);
    auto shrinking = JavaPtr<Block>(new Block(10, 10, 4, 30));
    shrinking->WENDinvokeconstructor();
    shrinking->setLayout(Item::LAYOUT_VSHRINK);
    auto expanding = block(10, 10, Item::LAYOUT_VEXPAND);
    auto top = block(10, 10, Item::LAYOUT_TOP);
    auto centred = block(10, 10, Item::LAYOUT_VCENTER);
    auto bottom = block(10, 10);
    for (const auto& item : {tall, shrinking, expanding, top, centred, bottom}) form->append(JavaPtr<Item>(item));
    show();
    const struct {
        const char* name;
        JavaPtr<Block> item;
        int32_t y, height;
    } cases[] = {
        {"tallest", tall, 0, 46},   {"vertical shrink", shrinking, 10, 36}, {"vertical expand", expanding, 0, 46},
        {"top", top, 0, 16},        {"centre", centred, 15, 16},            {"bottom by default", bottom, 30, 16},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.item->m_y, c.y) << c.name;
        EXPECT_EQ(c.item->m_height, c.height) << c.name;
    }
}

}  // namespace
}  // namespace formtest
