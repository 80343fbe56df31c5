// Cuts a text into lines the way the quiz's splitString does on the device: breaks only at spaces
// and newlines, drops the space before a width break, never splits a word (a word wider than the
// limit stands alone on an over-wide line), and shows hard spaces as spaces.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fonts {

class TextWrapper {
public:
    using Advance = std::function<int(char32_t)>;

    static std::vector<std::u32string> lines(std::u32string_view text, const Advance& advance, int maxWidth);
    static bool isHardSpace(char32_t c) { return c == 0xA0 || c == 0xAC; }
};

}  // namespace fonts
