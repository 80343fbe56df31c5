// The question screen's text areas in 320 x 480 layout units, as the quiz lays them out.
#pragma once

namespace questions {

struct QuizLayout {
    static constexpr int questionBoxWidth = 239;
    static constexpr int questionBoxBorder = 11;
    static constexpr int questionBoxHeight = 108;
    static constexpr int questionMaxLines = 5;
    static constexpr int answerSplitWidth = 208;
    // Lines of text the answer-button image is drawn to hold.
    static constexpr int answerMaxLines = 3;
    static constexpr int infoBoxWidth = 230;
    // The information panel is centred on y 240 below its top at y 97.
    static constexpr int infoPanelHeight = 2 * (240 - 97);

    static constexpr int questionSplitWidth = questionBoxWidth - 2 * questionBoxBorder;
    static constexpr int infoSplitWidth = infoBoxWidth - 2 * questionBoxBorder;
    static constexpr int infoTextHeight = infoPanelHeight - 2 * questionBoxBorder;
};

}  // namespace questions
