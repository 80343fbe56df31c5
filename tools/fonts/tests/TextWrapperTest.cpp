#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/fonts/FontMeasurer.h"
#include "tools/fonts/MainFont.h"
#include "tools/fonts/TextWrapper.h"
#include "tools/fonts/Utf8Text.h"

namespace {

// Every letter 10 pixels wide, the space 5.
int fixedAdvance(char32_t c) { return c == U' ' ? 5 : 10; }

std::vector<std::string> wrapped(const std::string& text, int maxWidth) {
    std::vector<std::string> out;
    for (const auto& line : fonts::TextWrapper::lines(fonts::decodeUtf8(text), fixedAdvance, maxWidth))
        out.push_back(fonts::encodeUtf8(line));
    return out;
}

TEST(TextWrapper, BreaksAsTheDeviceDoes) {
    struct Case {
        const char* text;
        int maxWidth;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", 50, {""}},
        {"ab cd", 100, {"ab cd"}},
        {"abc def", 50, {"abc", "def"}},                      // the space before a width break goes
        {"ab cd ef gh", 50, {"ab cd", "ef gh"}},
        {"abcdefgh ab", 50, {"abcdefgh", "ab"}},              // an over-wide word stands alone, unbroken
        {"ab abcdefgh", 50, {"ab", "abcdefgh"}},
        {"ab\ncd", 100, {"ab", "cd"}},                        // a newline breaks a text that would fit
        {"ab\n\ncd", 100, {"ab", "", "cd"}},
        {"ab \ncd", 100, {"ab ", "cd"}},                      // a space before a newline stays
        {"ab\xC2\xA0" "cd", 100, {"ab cd"}},                  // hard spaces show as spaces
        {"ab\xC2\xA0" "cd ef", 50, {"ab cd", "ef"}},          // and do not break
    };
    for (const Case& c : cases) EXPECT_EQ(wrapped(c.text, c.maxWidth), c.lines) << c.text << " at " << c.maxWidth;
}

TEST(MainFontMeasurer, MeasuresTheFaceInWholePixelsAtEveryScale) {
    fonts::FontMeasurer low(fonts::MainFont::facePath, fonts::MainFont::pixelSize);
    fonts::FontMeasurer high(fonts::MainFont::facePath, fonts::MainFont::pixelSize * 2);
    EXPECT_GT(low.advance(U'W'), low.advance(U'i'));
    EXPECT_GT(low.advance(U' '), 0);
    EXPECT_EQ(low.advance(U'\uE000'), 0) << "a character without a glyph measures 0";
    EXPECT_EQ(low.width("Wi"), low.advance(U'W') + low.advance(U'i'));
    EXPECT_NEAR(high.width("vocabulary quiz"), 2 * low.width("vocabulary quiz"), 4);
    EXPECT_GE(low.lineHeight(), fonts::MainFont::pixelSize);
    EXPECT_THROW(fonts::FontMeasurer("/nonexistent/face.ttf", 13), std::runtime_error);
}

}  // namespace
