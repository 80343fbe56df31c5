// Whether a text, wrapped as the device wraps it in the main font, fits its place on the question
// screen, at every scale the font is rasterised at.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/fonts/FontMeasurer.h"

namespace questions {

class ScreenFit {
public:
    ScreenFit();

    bool question(std::string_view utf8) { return fits(utf8, Place::Question); }
    bool answer(std::string_view utf8) { return fits(utf8, Place::Answer); }
    bool information(std::string_view utf8) { return fits(utf8, Place::Information); }

    // The lines of the text in its place at layout scale 1, for reports and tests.
    enum class Place { Question, Answer, Information };
    std::vector<std::string> lines(std::string_view utf8, Place place);

private:
    bool fits(std::string_view utf8, Place place);

    struct Scaled {
        int scale;
        std::unique_ptr<fonts::FontMeasurer> measurer;
    };
    std::vector<Scaled> m_fonts;
};

}  // namespace questions
