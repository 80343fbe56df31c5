#include "tools/questions/ScreenFit.h"

#include <stdexcept>

#include "tools/fonts/MainFont.h"
#include "tools/fonts/TextWrapper.h"
#include "tools/fonts/Utf8Text.h"
#include "tools/questions/QuizLayout.h"

namespace questions {

namespace {

struct Area {
    int width;
    int maxLines;  // 0: as many as the height holds
    int height;
};

Area areaOf(ScreenFit::Place place) {
    switch (place) {
    case ScreenFit::Place::Question: return {QuizLayout::questionSplitWidth, QuizLayout::questionMaxLines, 0};
    case ScreenFit::Place::Answer: return {QuizLayout::answerSplitWidth, QuizLayout::answerMaxLines, 0};
    case ScreenFit::Place::Information: break;
    }
    return {QuizLayout::infoSplitWidth, 0, QuizLayout::infoTextHeight};
}

}  // namespace

ScreenFit::ScreenFit() {
    for (int scale : fonts::MainFont::scales) {
        m_fonts.push_back({scale, std::make_unique<fonts::FontMeasurer>(fonts::MainFont::facePath,
                                                                       fonts::MainFont::pixelSize * scale)});
        // The line limit stands for the box's height; a larger font would make it a lie.
        if (QuizLayout::questionMaxLines * m_fonts.back().measurer->lineHeight() > QuizLayout::questionBoxHeight * scale)
            throw std::runtime_error("the main font's lines are too tall for the question box");
    }
}

bool ScreenFit::fits(std::string_view utf8, Place place) {
    const Area area = areaOf(place);
    const std::u32string text = fonts::decodeUtf8(utf8);
    for (Scaled& font : m_fonts) {
        fonts::FontMeasurer& measurer = *font.measurer;
        const int width = area.width * font.scale;
        const auto advance = [&measurer](char32_t c) { return measurer.advance(c); };
        const auto wrapped = fonts::TextWrapper::lines(text, advance, width);
        const int maxLines = area.maxLines > 0 ? area.maxLines : area.height * font.scale / measurer.lineHeight();
        if (static_cast<int>(wrapped.size()) > maxLines) return false;
        for (const std::u32string& line : wrapped) {
            int lineWidth = 0;
            for (char32_t c : line) {
                if (measurer.advance(c) == 0 && c != U' ') return false;  // no glyph: it would not show
                lineWidth += measurer.advance(c);
            }
            if (lineWidth > width) return false;
        }
    }
    return true;
}

std::vector<std::string> ScreenFit::lines(std::string_view utf8, Place place) {
    fonts::FontMeasurer& measurer = *m_fonts.front().measurer;
    const auto advance = [&measurer](char32_t c) { return measurer.advance(c); };
    std::vector<std::string> out;
    for (const auto& line : fonts::TextWrapper::lines(fonts::decodeUtf8(utf8), advance, areaOf(place).width))
        out.push_back(fonts::encodeUtf8(line));
    return out;
}

}  // namespace questions
