// Text fields: editing and the caret, sizes and constraints, multi-tap and keyboard entry through
// the form canvas on the fake clock, the symbol selector, and painting by recorded calls. Texts use
// the synthetic font's fixed-width letters (a, d to w: 10 pixels each).
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/forms/TextField.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

using java::lang::jchar;

class TextFieldTest : public FormFixture {
protected:
    JavaPtr<TextField> field(const char* text, int32_t maxSize = 100, int32_t constraints = TextField::ANY) {
        auto made = jnew<TextField>();
        made->WENDinvokeconstructor(str("T"), str(text), maxSize, constraints);
        return made;
    }
    // The field alone in the shown form, highlighted.
    JavaPtr<TextField> shown(const char* text, int32_t maxSize = 100, int32_t constraints = TextField::ANY) {
        form = makeForm(nullptr);
        JavaPtr<TextField> made = field(text, maxSize, constraints);
        form->append(JavaPtr<Item>(made));
        show();
        return made;
    }
    // Puts the caret after `column` characters of the first row by touch.
    static void caretAt(const JavaPtr<TextField>& f, int32_t column) { f->pointerPressed(column * 10 - 1, 0); }
    void press(int32_t code, int64_t afterMs = 100) {
        formMillis += afterMs;
        canvas()->keyPressed(code);
        canvas()->keyReleased(code);
    }
    static std::string text(const JavaPtr<TextField>& f) { return f->getString()->val(); }
};

std::string thrown(const std::function<void()>& call) {
    try {
        call();
    } catch (const java::lang::NullPointerException&) {
        return "null";
    } catch (const java::lang::StringIndexOutOfBoundsException&) {
        return "string index";
    } catch (const java::lang::ArrayIndexOutOfBoundsException&) {
        return "array index";
    } catch (const java::lang::IllegalArgumentException&) {
        return "argument";
    }
    return "none";
}

TEST_F(TextFieldTest, InsertAndDeleteMoveTheCaretOnlyWhenTheyHappenBeforeIt) {
    const struct {
        const char* start;
        int32_t caret;
        std::function<void(TextField&)> edit;
        const char* result;
        int32_t caretAfter;
    } cases[] = {
        {"adef", 2, [](TextField& f) { f.insert(str("kl"), 2); }, "adklef", 4},
        {"adef", 1, [](TextField& f) { f.insert(str("kl"), 2); }, "adklef", 1},
        {"adefgh", 5, [](TextField& f) { f.deleteJ(1, 2); }, "afgh", 3},
        {"adefgh", 2, [](TextField& f) { f.deleteJ(1, 2); }, "afgh", 1},
        {"adefgh", 3, [](TextField& f) { f.deleteJ(6, 0); }, "adefgh", 3},
    };
    for (const auto& c : cases) {
        JavaPtr<TextField> f = shown(c.start);
        caretAt(f, c.caret);
        ASSERT_EQ(f->getCaretPosition(), c.caret);
        c.edit(*f);
        EXPECT_EQ(text(f), c.result) << c.start << " caret " << c.caret;
        EXPECT_EQ(f->getCaretPosition(), c.caretAfter) << c.start << " caret " << c.caret;
    }
}

TEST_F(TextFieldTest, ATextLongerThanItsMaximumIsKeptUntilTheMaximumShrinks) {
    JavaPtr<TextField> f = field("abcdef", 3);
    EXPECT_EQ(f->size(), 6);
    EXPECT_EQ(thrown([&] { f->insert(str("g"), 0); }), "argument");
    EXPECT_EQ(f->setMaxSize(4), 4);
    EXPECT_EQ(text(f), "abcd");
    EXPECT_EQ(thrown([&] { f->setMaxSize(0); }), "argument");
    EXPECT_EQ(f->setMaxSize(20000), 20000);
}

TEST_F(TextFieldTest, RefusedCallsThrowAndChangeNothing) {
    JavaPtr<TextField> f = field("adef", 6);
    auto chars = jnew<JArray<jchar>>(3);
    const struct {
        const char* name;
        std::function<void()> call;
        const char* kind;
    } cases[] = {
        {"maximum below 1", [] { jnew<TextField>()->WENDinvokeconstructor(nullptr, nullptr, 0, 0); }, "argument"},
        {"setString too long", [&] { f->setString(str("adefghk")); }, "argument"},
        {"insert null", [&] { f->insert(JavaPtr<String>(), 0); }, "null"},
        {"insert too long", [&] { f->insert(str("ghk"), 0); }, "argument"},
        {"insert beyond the text", [&] { f->insert(str("g"), 5); }, "string index"},
        {"insert null chars", [&] { f->insert(JavaPtr<JArray<jchar>>(), 0, 1, 0); }, "null"},
        {"insert chars beyond the array", [&] { f->insert(chars, 2, 2, 0); }, "array index"},
        {"delete beyond the text", [&] { f->deleteJ(3, 2); }, "string index"},
        {"delete a negative length", [&] { f->deleteJ(1, -1); }, "string index"},
        {"getChars into null", [&] { f->getChars(nullptr); }, "null"},
        {"getChars into a short array", [&] { f->getChars(chars); }, "array index"},
        {"setChars from null", [&] { f->setChars(nullptr, 0, 1); }, "null"},
        {"setChars beyond the array", [&] { f->setChars(chars, 1, 3); }, "array index"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thrown(c.call), c.kind) << c.name;
        EXPECT_EQ(text(f), "adef") << c.name;
    }
    auto four = jnew<JArray<jchar>>(4);
    EXPECT_EQ(f->getChars(four), 4);
    EXPECT_EQ((*four)[3], u'f');
}

TEST_F(TextFieldTest, UneditableRefusesNewTextButKeepsItsOwnAndTheCaretStaysInTheText) {
    JavaPtr<TextField> f = shown("adefgh");
    caretAt(f, 6);
    f->setConstraints(TextField::UNEDITABLE);
    EXPECT_EQ(text(f), "adefgh");
    EXPECT_EQ(thrown([&] { f->setString(str("other")); }), "argument");
    EXPECT_EQ(thrown([&] { f->setString(jnew<String>("adefgh")); }), "none") << "the same contents";
    f->setConstraints(TextField::ANY);
    EXPECT_EQ(text(f), "adefgh") << "compared by contents, the text is its own";
    const struct {
        const char* name;
        std::function<void()> edit;
        int32_t caret;
    } cases[] = {
        {"setString", [&] { f->setString(str("ad")); }, 2},
        {"setMaxSize", [&] { f->setString(str("adefgh")); caretAt(f, 6); f->setMaxSize(3); }, 3},
        {"setChars", [&] { auto one = jnew<JArray<jchar>>(1); (*one)[0] = u'k'; f->setChars(one, 0, 1); }, 1},
        {"null text", [&] { f->setString(nullptr); }, 0},
    };
    for (const auto& c : cases) {
        c.edit();
        EXPECT_EQ(f->getCaretPosition(), c.caret) << c.name;
    }
    EXPECT_EQ(text(f), "") << "null holds an empty text";
    EXPECT_EQ(text(field(nullptr)), "");
}

TEST_F(TextFieldTest, TheContentIsAsHighAsItsRowsInTheFontsHeight) {
    const struct {
        int32_t fontHeight;
        const char* text;
        int32_t height;
    } cases[] = {
        {8, "ad\nef\ngh", 36}, {8, "", 14},  // an empty text is one empty row
        {13, "ad\nef\ngh", 51}, {13, "", 19},
    };
    for (const auto& c : cases) {
        auto font = lcduitest::sampleFont(false);
        font.cellHeight = c.fontHeight;
        ASSERT_TRUE(lcduitest::installFont(font.bytes()));
        EXPECT_EQ(shown(c.text)->getMinContentHeight(), c.height) << "\"" << c.text << "\", font " << c.fontHeight;
    }
}

TEST_F(TextFieldTest, MultiTapKeysCycleCommitAndStartAnewAsTheClockSays) {
    const int32_t two = Core::KEY_NUM0 + 2, three = Core::KEY_NUM0 + 3, seven = Core::KEY_NUM0 + 7;
    const struct {
        const char* name;
        std::vector<std::pair<int32_t, int64_t>> keys;  // key, milliseconds since the last
        const char* result;
    } cases[] = {
        {"2 three times", {{two, 100}, {two, 100}, {two, 100}}, "c"},
        {"2, a pause, 2", {{two, 100}, {two, 1300}}, "aa"},
        {"7 six times", {{seven, 100}, {seven, 100}, {seven, 100}, {seven, 100}, {seven, 100}, {seven, 100}}, "p"},
        {"2 then 3", {{two, 100}, {three, 100}}, "ad"},
    };
    for (const auto& c : cases) {
        JavaPtr<TextField> f = shown("");
        for (const auto& [code, after] : c.keys) press(code, after);
        EXPECT_EQ(text(f), c.result) << c.name;
    }
}

TEST_F(TextFieldTest, APendingCharacterShowsInClearOnAPasswordUntilItCommits) {
    JavaPtr<TextField> f = shown("ade", 100, TextField::PASSWORD);
    caretAt(f, 3);
    EXPECT_EQ(std::string(f->displayText()->val()), "***");
    press(Core::KEY_NUM0 + 2);
    EXPECT_EQ(std::string(f->displayText()->val()), "***a");
    formMillis += 1200;
    tick();
    EXPECT_EQ(std::string(f->displayText()->val()), "****");
    EXPECT_EQ(text(f), "adea");
}

TEST_F(TextFieldTest, MovingTheCaretCommitsThePendingCharacter) {
    JavaPtr<TextField> f = shown("ade");
    caretAt(f, 3);
    press(Core::KEY_NUM0 + 2);
    ASSERT_EQ(text(f), "adea");
    caretAt(f, 1);
    press(Core::KEY_NUM0 + 2);
    EXPECT_EQ(text(f), "aadea") << "a new character at the caret, nothing replaced";
    JavaPtr<TextField> start = shown("ade");
    press(Core::KEY_NUM0 + 2);
    caretAt(start, 0);
    press(Core::KEY_NUM0 + 2);
    EXPECT_EQ(text(start), "aaade") << "and nothing thrown at the start";
}

TEST_F(TextFieldTest, DeleteAndKeyboardKeysEditAtTheCaret) {
    JavaPtr<TextField> f = shown("adef");
    press(Core::KEY_DELETE);
    EXPECT_EQ(text(f), "adef") << "nothing before the caret";
    caretAt(f, 3);
    press(Core::KEY_DELETE);
    EXPECT_EQ(text(f), "adf");
    EXPECT_EQ(f->getCaretPosition(), 2);
    press(Core::KEY_A + 7);
    press(Core::KEY_KEYBOARD_NUM0 + 1);
    press(Core::getExtendedCodeForChar(u'!'));
    EXPECT_EQ(text(f), "adH1!f");
}

TEST_F(TextFieldTest, TheStarHeldOpensTheSelectorWhoseFireInsertsTheChosenSymbol) {
    JavaPtr<TextField> f = shown("");
    canvas()->keyPressed(Core::KEY_STAR);
    for (int i = 0; i < 12; ++i) {
        formMillis += 100;
        tick();
    }
    canvas()->keyReleased(Core::KEY_STAR);
    ASSERT_TRUE(f->selectorOpen());
    EXPECT_EQ(forwardLabel() + canvas()->getBackCommand()->getLabel()->val(), "Cancel") << "only Cancel on the keys";
    log.take();
    tick();
    const auto frames = lcduitest::callsNamed(log.take(), {"drawRect"});
    EXPECT_NE(std::find(frames.begin(), frames.end(), "drawRect 115,216,90,36"), frames.end()) << "centred";
    for (int i = 0; i < 5; ++i) press(Core::KEY_RIGHT);
    press(Core::KEY_FIRE);
    EXPECT_EQ(text(f), "\\");
    EXPECT_FALSE(f->selectorOpen());
    EXPECT_EQ(forwardLabel(), "");
}

TEST_F(TextFieldTest, UpEntersOnTheLastRowAndDownThereLeaves) {
    form = makeForm(nullptr);
    JavaPtr<TextField> f = field("ad\nef\ngh");
    form->append(JavaPtr<Item>(f));
    form->append(JavaPtr<Item>(box(20, 20)));
    form->m_highlightItem(1, false);
    show();
    press(Core::KEY_UP);
    EXPECT_EQ(highlightedIndex(), 0);
    EXPECT_EQ(f->caretRow(), 2);
    press(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 1);
}

TEST_F(TextFieldTest, TheCaretIsDrawnOnlyOnTheHighlightedFieldAndNotWhileACharacterWaits) {
    JavaPtr<TextField> f = shown("adef");
    caretAt(f, 2);
    log.take();
    f->paint(master, 300, 20);
    EXPECT_EQ(lcduitest::callsNamed(log.take(), {"drawString", "drawLine"}),
              (std::vector<std::string>{"drawString \"adef\",0,3,20", "drawLine 20,3,20,11"}));
    press(Core::KEY_NUM0 + 2);
    log.take();
    f->paint(master, 300, 20);
    EXPECT_EQ(lcduitest::callsNamed(log.take(), {"drawLine"}).size(), 0u);
}

}  // namespace
}  // namespace formtest
