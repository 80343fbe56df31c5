// Word wrap of encoded strings at spaces, newlines and hyphenation guides.
#include <vector>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedStrings.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

bool isHardSpace(char16_t c) { return c == u'\u00A0' || c == u'\u00AC'; }

struct Line {
    int32_t start;
    int32_t end;
    bool hyphen;
};

}  // namespace

JavaPtr<JArray<java::lang::String>> EncodedStrings::splitENCString(const Bytes& text, int32_t font, int32_t maxWidth) {
    if (!text) return nullptr;
    const Decoded decoded = decode(BundleBytes::of(text));
    const std::u16string& chars = decoded.characters;
    const int32_t count = static_cast<int32_t>(chars.size());
    auto widthOf = [&](char16_t c) { return charWidth ? charWidth(font, c) : 0; };
    const int32_t spaceWidth = widthOf(u' '), hyphenWidth = widthOf(u'-');

    // Hard spaces become spaces in every line, so they are measured as spaces everywhere.
    std::vector<int32_t> widths(static_cast<size_t>(count) + 1, 0);
    int64_t total = 0;
    bool hasNewline = false;
    for (int32_t i = 0; i < count; ++i) {
        widths[i] = isHardSpace(chars[i]) ? spaceWidth : widthOf(chars[i]);
        total += widths[i];
        hasNewline |= chars[i] == u'\n';
    }
    auto makeLine = [&](int32_t start, int32_t end, bool hyphen) {
        std::u16string line = chars.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
        for (char16_t& c : line)
            if (isHardSpace(c)) c = u' ';
        if (hyphen) line += u'-';
        return jnew<String>(line.data(), static_cast<int32_t>(line.size()));
    };
    if (total <= maxWidth && !hasNewline) {
        auto lines = jnew<JArray<String>>(1);
        lines->data[0] = makeLine(0, count, false);
        return lines;
    }

    const std::vector<int32_t>& guides = decoded.guides;
    const size_t guideCount = guides.size();
    std::vector<Line> lines;
    int32_t lineStart = 0;
    int64_t lineWidth = 0, wordWidth = 0;
    int32_t wordChars = 0;
    size_t nextGuide = 0;
    for (int32_t i = 0; i <= count; ++i) {
        const char16_t c = i < count ? chars[i] : u'\n';
        const bool isGuide = nextGuide < guideCount && Decoded::position(guides[nextGuide]) == i;
        const int32_t hyphen = isGuide && Decoded::type(guides[nextGuide]) == 0 ? hyphenWidth : 0;
        if (c != u' ' && c != u'\n' && !isGuide) {
            wordWidth += widths[i];
            ++wordChars;
            continue;
        }
        if (wordWidth + lineWidth + hyphen > maxWidth) {
            const int32_t breakAt = i - wordChars;
            if (lineWidth != 0) {
                const int32_t end = breakAt > lineStart && chars[breakAt - 1] == u' ' ? breakAt - 1 : breakAt;
                const bool hyphenated = nextGuide > 0 && Decoded::position(guides[nextGuide - 1]) == breakAt &&
                                        Decoded::type(guides[nextGuide - 1]) == 0;
                lines.push_back({lineStart, end, hyphenated});
            }
            lineStart = breakAt;
            lineWidth = 0;
        }
        if (c == u' ') lineWidth += spaceWidth;
        const int64_t newWordWidth = isGuide ? widths[i] : 0;
        if (c != u'\n') {
            lineWidth += wordWidth;
        } else {
            lines.push_back({lineStart, i, false});
            lineStart = i + 1;
            lineWidth = 0;
        }
        wordChars = isGuide ? 1 : 0;
        wordWidth = newWordWidth;
        if (isGuide) ++nextGuide;
    }
    auto result = jnew<JArray<String>>(static_cast<int32_t>(lines.size()));
    for (size_t l = 0; l < lines.size(); ++l)
        result->data[l] = makeLine(lines[l].start, lines[l].end, lines[l].hyphen);
    return result;
}
