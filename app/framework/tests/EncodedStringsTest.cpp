// Encoded strings and language files from the shared writer, substitution with guides, and word wrap.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "app/framework/EncodedStrings.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/io/IOException.h"
#include "runtime/text/String.h"
#include "tools/writers/EncodedStringFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Guides = std::vector<writers::HyphenationGuide>;
using java::io::IOException;
using java::lang::jnew;
using java::lang::String;

JavaPtr<String> str(const std::u16string& text) {
    return jnew<String>(text.data(), static_cast<int32_t>(text.size()));
}
std::u16string text(const JavaPtr<String>& s) { return s ? std::u16string(s->view()) : u"<null>"; }
std::vector<std::u16string> lines(const JavaPtr<JArray<String>>& array) {
    std::vector<std::u16string> out;
    for (int32_t i = 0; array && i < array->length; ++i) out.push_back(text(array->data[i]));
    return out;
}
Guides guidesOf(const EncodedStrings::Decoded& decoded) {
    Guides out;
    for (const int32_t g : decoded.guides) out.push_back({decoded.position(g), decoded.type(g)});
    return out;
}

TEST(EncodedStringTest, BothWidthsAndGuidesBeforeAndAfter255CharactersRoundTrip) {
    const std::u16string longText(300, u'x');
    struct Case {
        std::u16string text;
        Guides guides;
        int32_t width;
    };
    const Case cases[] = {
        {u"", {}, 1},
        {u"\u00e9AB", {}, 1},
        {u"caf\u00e9 \u4e2d", {}, 2},
        {u"hyphen-ation", {{2, 0}, {7, 1}}, 1},
        {std::u16string(255, u'a'), {{254, 0}, {255, 3}}, 1},
        {longText, {{3, 0}, {256, 0}, {299, 9}}, 2},
    };
    for (const Case& c : cases) {
        const Bytes encoded = writers::encodedString(c.text, c.guides, c.width);
        const EncodedStrings::Decoded decoded = EncodedStrings::decode(encoded);
        EXPECT_EQ(decoded.characters, c.text);
        EXPECT_EQ(guidesOf(decoded), c.guides);
        EXPECT_EQ(text(EncodedStrings::getStringFromENCString(byteArray(encoded))), c.text);
        // The in-memory encoder writes the same guides back in the width the count needs.
        EXPECT_EQ(guidesOf(EncodedStrings::decode(bytesOf(EncodedStrings::encode(decoded)))), c.guides);
    }
    EXPECT_EQ(text(EncodedStrings::getStringFromENCString(byteArray({1, 0, 3, 0xE9, 0x41, 0x42}))),
              u"\u00e9AB");
    EXPECT_EQ(bytesOf(EncodedStrings::getENCStringFromString(str(u"AB"))),
              (Bytes{2, 0, 2, 0, 0x41, 0, 0x42}));
}

TEST(EncodedStringTest, DamagedStringsAreRefused) {
    const Bytes cases[] = {
        {},
        {0x03, 0, 1, 0, 0x41},              // three bytes per character
        {0x04, 0, 1, 0x41},                 // guides flag without a width
        {0x01, 0, 5, 0x41},                 // fewer characters than counted
        {0x05, 0, 1, 0, 0, 0x41},           // guide flag with no guides
        {0x05, 0, 1, 0, 1, 0x41, 2, 0},     // guide past the end
        {0x05, 0, 2, 0, 2, 0x41, 0x42, 1, 0, 1, 0},  // guides out of order
        {0x01, 0xFF, 0xFF},                 // negative count
    };
    for (const Bytes& data : cases) EXPECT_THROW(EncodedStrings::decode(data), IOException) << data.size();
}

class LanguageTest : public BundleFixture {};

TEST_F(LanguageTest, LanguageFileEntriesAndCodes) {
    writers::ResourceBundle bundle(0);
    bundle.languages = {"en", "d", "", "", ""};
    install(bundle);
    writeFile(this->bundle / "en",
              writers::languageFile({writers::encodedString(u"One"), {}, writers::encodedString(u"Thr-ee", {{3, 0}})}));
    JavaPtr<JArray<JArray<signed char>>> table;
    EncodedStrings strings(resources, table);
    EXPECT_EQ(text(strings.getLanguageIDString(0)), u"en");
    EXPECT_EQ(text(strings.getLanguageIDString(1)), u"d");
    EXPECT_EQ(text(strings.getLanguageIDString(2)), u"");
    EXPECT_EQ(strings.getString(0), nullptr) << "no language loaded yet";

    strings.loadLanguage(0);
    EXPECT_EQ(text(strings.getString(0)), u"One");
    EXPECT_EQ(strings.getString(1), nullptr);
    EXPECT_EQ(strings.getENCString(1), nullptr);
    EXPECT_EQ(text(strings.getString(2)), u"Thr-ee");
    EXPECT_EQ(strings.getString(3), nullptr);

    strings.loadLanguage(1);
    EXPECT_EQ(strings.getString(0), nullptr) << "a missing file leaves no table";
    writeFile(this->bundle / "en", {0, 2, 1, 0, 9, 0x41});
    EXPECT_THROW(strings.loadLanguage(0), IOException);
    EXPECT_EQ(strings.getString(0), nullptr);
}

TEST(EncodedStringTest, SubstitutionReplacesFirstInTextsAndLastInEncodedTexts) {
    const auto twice = str(u"a %s b %s");
    EXPECT_EQ(text(EncodedStrings::insertStringIntoString(twice, str(u"%s"), str(u"X"))), u"a X b %s");
    EXPECT_EQ(text(EncodedStrings::insertString(str(u"end%s"), str(u"%s"), str(u"!"))), u"end!");
    EXPECT_EQ(text(EncodedStrings::insertStringIntoString(twice, str(u"%d"), str(u"X"))), u"a %s b %s");
    const auto encoded = EncodedStrings::getENCStringFromString(twice);
    EXPECT_EQ(text(EncodedStrings::getStringFromENCString(
                  EncodedStrings::insertStringIntoENCString(encoded, str(u"%s"), str(u"X")))),
              u"a %s b X");
    EXPECT_EQ(EncodedStrings::insertStringIntoENCString(encoded, str(u"%d"), str(u"X")), encoded);
    EXPECT_EQ(text(EncodedStrings::replaceHardSpaces(str(u"a\u00a0b\u00acc"))), u"a b c");
}

TEST(EncodedStringTest, InsertedGuidesMoveWithTheTextAndStaySorted) {
    struct Case {
        const char* name;
        std::u16string into;
        Guides intoGuides;
        std::u16string insert;
        Guides insertGuides;
        std::u16string expected;
        Guides expectedGuides;
    };
    const Case cases[] = {
        {"guides around a longer insert", u"ab%XYZcd", {{1, 0}, {6, 0}}, u"qrst", {{2, 1}}, u"abqrstcd",
         {{1, 0}, {4, 1}, {6, 0}}},
        {"guides inside the placeholder go", u"ab%LONGcd", {{4, 0}, {7, 0}, {8, 1}}, u"x", {{0, 0}}, u"abxcd",
         {{2, 0}, {3, 0}, {4, 1}}},
        {"a shifted guide meeting an inserted one is kept once", u"a%PQRb", {{5, 0}}, u"mn", {{1, 0}, {2, 1}},
         u"amnb", {{2, 0}, {3, 1}}},
        {"growing past 255 characters widens the guides", u"%", {{1, 0}}, std::u16string(300, u'z'), {{299, 1}},
         std::u16string(300, u'z'), {{299, 1}, {300, 0}}},
    };
    for (const Case& c : cases) {
        const auto result = EncodedStrings::insertENCStringIntoENCString(
            byteArray(writers::encodedString(c.into, c.intoGuides, 2)),
            str(c.into.substr(c.into.find(u'%'), c.into.find_first_of(u"abcd", c.into.find(u'%') + 1) -
                                                     c.into.find(u'%'))),
            byteArray(writers::encodedString(c.insert, c.insertGuides, 2)));
        const EncodedStrings::Decoded decoded = EncodedStrings::decode(bytesOf(result));
        EXPECT_EQ(decoded.characters, c.expected) << c.name;
        EXPECT_EQ(guidesOf(decoded), c.expectedGuides) << c.name;
    }
}

// Letters 10 pixels, space 5, hyphen 4; the font has no glyph for hard spaces, so they measure 0.
int32_t widthOf(int32_t, char16_t c) {
    if (c == u' ') return 5;
    if (c == u'-') return 4;
    if (c == u'\u00a0' || c == u'\u00ac') return 0;
    return c == u'\n' ? 0 : 10;
}

TEST(EncodedStringWrapTest, BreaksAtSpacesNewlinesAndGuides) {
    ResourceHandler none;
    JavaPtr<JArray<JArray<signed char>>> table;
    EncodedStrings strings(none, table);
    strings.charWidth = widthOf;
    struct Case {
        const char* name;
        std::u16string text;
        Guides guides;
        int32_t maxWidth;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {"fits on one line", u"ab\u00a0cd", {}, 50, {u"ab cd"}},
        {"hard spaces measure as the spaces they become", u"abc\u00a0d ef", {}, 66, {u"abc d", u"ef"}},
        {"empty text", u"", {}, 10, {u""}},
        {"two words, the space dropped", u"abc def", {}, 50, {u"abc", u"def"}},
        {"guide of type 0 shows a hyphen", u"abcdefgh", {{4, 0}}, 50, {u"abcd-", u"efgh"}},
        {"other guide types show none", u"abcdefgh", {{4, 2}}, 50, {u"abcd", u"efgh"}},
        {"newline ends a short line", u"ab\ncd", {}, 500, {u"ab", u"cd"}},
        {"two newlines leave an empty line", u"ab\n\ncd", {}, 500, {u"ab", u"", u"cd"}},
        {"space before a newline stays", u"ab \ncd", {}, 500, {u"ab ", u"cd"}},
        {"a too wide word stays whole", u"abcdefgh ij", {}, 30, {u"abcdefgh", u"ij"}},
        {"trailing space before a width break goes", u"abc  def", {}, 50, {u"abc ", u"def"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lines(strings.splitENCString(byteArray(writers::encodedString(c.text, c.guides, 2)), 0,
                                               c.maxWidth)),
                  c.expected)
            << c.name;
    EXPECT_EQ(strings.splitENCString(nullptr, 0, 10), nullptr);
    EXPECT_EQ(lines(strings.splitString(str(u"abc def"), 0, 50)), (std::vector<std::u16string>{u"abc", u"def"}));
}

// Puts the lines back together: each line is the next stretch of the text, perhaps with an added
// hyphen, and at most one space or newline the wrap used up lies before the next line.
bool joinsBack(const std::vector<std::u16string>& wrapped, std::u16string text) {
    for (char16_t& c : text)
        if (c == u'\u00a0' || c == u'\u00ac') c = u' ';
    auto matchAt = [&](size_t from, const std::u16string& line) -> size_t {
        if (text.compare(from, line.size(), line) == 0) return line.size();
        if (!line.empty() && line.back() == u'-' && text.compare(from, line.size() - 1, line, 0, line.size() - 1) == 0)
            return line.size() - 1;
        return std::u16string::npos;
    };
    // Whether a dropped separator comes before a line is not visible in the lines, so both are tried.
    std::function<bool(size_t, size_t)> from = [&](size_t line, size_t pos) {
        if (line == wrapped.size()) return pos == text.size() || (pos + 1 == text.size() && text[pos] == u'\n');
        if (const size_t used = matchAt(pos, wrapped[line]); used != std::u16string::npos && from(line + 1, pos + used))
            return true;
        if (line == 0 || pos >= text.size() || (text[pos] != u' ' && text[pos] != u'\n')) return false;
        const size_t used = matchAt(pos + 1, wrapped[line]);
        return used != std::u16string::npos && from(line + 1, pos + 1 + used);
    };
    return from(0, 0);
}

TEST(EncodedStringWrapTest, WrappedLinesJoinBackToTheText) {
    ResourceHandler none;
    JavaPtr<JArray<JArray<signed char>>> table;
    EncodedStrings strings(none, table);
    strings.charWidth = widthOf;
    std::mt19937 random(14);
    const std::u16string alphabet = u"abcdefg    \n\u00a0";
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        Guides guides;
        for (int p = 1; p < length; ++p)
            if (random() % 6 == 0) guides.push_back({p, static_cast<int32_t>(random() % 2)});
        const int32_t maxWidth = 20 + static_cast<int32_t>(random() % 100);
        const auto wrapped =
            lines(strings.splitENCString(byteArray(writers::encodedString(text, guides, 2)), 0, maxWidth));
        ASSERT_TRUE(joinsBack(wrapped, text)) << "round " << round << ", width " << maxWidth;
    }
}

}  // namespace
