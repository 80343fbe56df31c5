#include "tools/fonts/TextWrapper.h"

namespace fonts {

namespace {

std::u32string withPlainSpaces(std::u32string_view text) {
    std::u32string out(text);
    for (char32_t& c : out)
        if (TextWrapper::isHardSpace(c)) c = U' ';
    return out;
}

}  // namespace

std::vector<std::u32string> TextWrapper::lines(std::u32string_view text, const Advance& advance, int maxWidth) {
    int total = 0;
    bool hasNewline = false;
    for (char32_t c : text) {
        total += advance(c);
        hasNewline = hasNewline || c == U'\n';
    }
    if (total <= maxWidth && !hasNewline) return {withPlainSpaces(text)};

    const int spaceWidth = advance(U' ');
    const size_t count = text.size();
    std::vector<std::u32string> out;
    size_t lineStart = 0, wordChars = 0;
    int lineWidth = 0, wordWidth = 0;
    for (size_t i = 0; i <= count; ++i) {
        const char32_t c = i < count ? text[i] : U'\n';
        if (c != U' ' && c != U'\n') {
            wordWidth += isHardSpace(c) ? spaceWidth : advance(c);
            ++wordChars;
            continue;
        }
        if (wordWidth + lineWidth > maxWidth) {
            const size_t breakAt = i - wordChars;
            if (lineWidth != 0) {
                size_t end = breakAt;
                if (end > lineStart && text[end - 1] == U' ') --end;
                out.push_back(withPlainSpaces(text.substr(lineStart, end - lineStart)));
            }
            lineStart = breakAt;
            lineWidth = 0;
        }
        if (c == U' ') {
            lineWidth += spaceWidth + wordWidth;
        } else {
            out.push_back(withPlainSpaces(text.substr(lineStart, i - lineStart)));
            lineStart = i + 1;
            lineWidth = 0;
        }
        wordWidth = 0;
        wordChars = 0;
    }
    return out;
}

}  // namespace fonts
