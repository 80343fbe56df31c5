// The question screen: the header with the level or the practice score, the question box that
// slides a new question in over the old, the timer's dots, the three answers in their looks, the
// information panel and the bottom buttons with their count badges.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

namespace {
constexpr int32_t TOP_LEFT = javax::microedition::lcdui::Graphics::TOP | javax::microedition::lcdui::Graphics::LEFT;
constexpr int32_t TOP_CENTRE =
    javax::microedition::lcdui::Graphics::TOP | javax::microedition::lcdui::Graphics::HCENTER;
constexpr int32_t CENTRE =
    javax::microedition::lcdui::Graphics::HCENTER | javax::microedition::lcdui::Graphics::VCENTER;
}  // namespace

void HookCanvas::renderQuestionScreen(const JavaPtr<Graphics>& g) {
    const bool practice = current_mode_practice;
    const bool info = (game_state.load(std::memory_order_relaxed) & ~GAMESTATEFLAG_LOADING) == GAMESTATE_INFOLINK;
    const auto visible = [this](int32_t i) {
        return !fading || !fade_mask || fade_step >= fade_mask->length || ((fade_mask->data[fade_step] >> i) & 1) != 0;
    };
    const auto drawLines = [&](const JavaPtr<JArray<String>>& lines, int32_t x, int32_t yOf0, int32_t h) {
        if (!lines) return;
        for (int32_t i = 0; i < lines->length; ++i) drawString(g, lines->data[i], x, i * h + yOf0, TOP_LEFT, -1);
    };

    // 1-2: the header.
    const JavaPtr<String> header =
        practice ? String::valueOf(practice_right_run) + "/" + questions_in_run : String::valueOf(rank + 1);
    if (drawFadingSegment(g, game_segments, 0, 0, 0, false)) {
        const int32_t icon = header_icons->data[practice ? 0 : 1];
        drawImageIDNoTransform(g, icon, 0, 0, 0, TOP_LEFT);
        setFont(g, numbers_font);
        drawString(
            g, header,
            (getImageDimension(icon, 0, 0, IMAGEDIMENSION_CELL_WIDTH) - getStringWidth(numbers_font, header)) >> 1,
            (getImageDimension(icon, 0, 0, IMAGEDIMENSION_CELL_HEIGHT) - getFontHeight(numbers_font) +
             (practice ? 0 : getParam(10))) >>
                1,
            TOP_LEFT, -1);
        setFont(g, main_font);
        resetClip(g);
    }

    // 3: the question box, sliding while a new question comes in.
    if (visible(1)) {
        const int32_t left = getParam(PARAM_QUESTION_BOX_LEFT);
        const int32_t width = getParam(PARAM_QUESTION_BOX_WIDTH);
        const int32_t boxHeight = getParam(PARAM_QUESTION_BOX_HEIGHT);
        const auto clipToBox = [&] { g->setClip(left, getParam(PARAM_QUESTION_BOX_TOP), width, boxHeight); };
        const int32_t h = getFontHeight(main_font);
        const auto linesTop = [&](const JavaPtr<JArray<String>>& lines) {
            const int32_t n = lines ? lines->length : 0;
            return (getParam(0) - ((n * h) >> 1)) + (boxHeight >> 1);
        };
        clipToBox();
        const bool sliding = question_slide_in && question_delay >= 1;
        int32_t offset = 0;
        int32_t rest = 0;
        if (!sliding) {
            drawFadingSegment(g, game_segments, 1, left, 0, false);
        } else {
            offset = question_delay * (width / 20);
            rest = width - offset;
            if (!answered_correctly) {
                offset = -offset;
                rest = -rest;
            }
            drawImageIDNoTransform(g, game_segments->data[1], 0, left + offset, 0, TOP_LEFT);
        }
        drawLines(question_lines, left + offset + getParam(PARAM_QUESTION_BOX_BORDER), linesTop(question_lines), h);
        clipToBox();
        if (sliding) {
            drawImageIDNoTransform(g, game_segments->data[1], 0, left - rest, 0, TOP_LEFT);
            drawLines(prev_question_lines, left - rest + getParam(PARAM_QUESTION_BOX_BORDER),
                      linesTop(prev_question_lines), h);
        }
        resetClip(g);
    }

    // 4: the timer's dots vanish clockwise from twelve as the ten seconds run down.
    if (drawFadingSegment(g, game_segments, 2, 0, getParam(109), false) && settings && settings->data[4]) {
        const int32_t first = max(0, 12 - question_timer_ms * 13 / 10000);
        for (int32_t k = first; k < 12; ++k)
            drawImageIDNoTransform(g, timer_dot, 0, getParam(timer_dots->data[2 * k]),
                                   getParam(timer_dots->data[2 * k + 1] + PARAM_BG_2_Y), TOP_LEFT);
    }
    resetClip(g);

    // 5: the answers, switching to the new question from the top down during a slide.
    if (drawFadingSegment(g, game_segments, 3, getParam(PARAM_BG_1_H), getParam(PARAM_BG_2_Y), false)) {
        const int32_t h = getFontHeight(main_font);
        for (int32_t a = 0; a < 3; ++a) {
            const int32_t half = question_delay >> 1;
            const bool sliding = question_slide_in && question_delay >= 1;
            const bool old = sliding && 3 - a < half;
            const bool flashes = sliding && 3 - a == half;
            const auto& lines = old ? prev_answer_lines : answer_lines;
            const auto& ghosts = old ? prev_ghosted_answers : ghosted_answers;
            const bool ghosted = ghosts && ghosts->data[a];
            const int32_t x = getParam(PARAM_ANSWER_BUTTONS_LEFT);
            const int32_t y = answerSlotTop(a);
            if (!ghosted) {
                int32_t look = answer_button_normal;
                if (info) {
                    look = answer_button_normal;
                } else if (chosen_answer == a) {
                    look = a + 1 == correct_answer ? answer_button_correct : answer_button_wrong;
                } else if (chosen_answer == -1) {
                    if (question_timer_ms == 0)
                        look = answer_button_wrong;
                    else if (flashes || (finger_down && pointerOverImage(answer_button_click, x, y)))
                        look = answer_button_click;
                } else if (a + 1 == correct_answer) {
                    look = answer_button_correct;
                }
                drawImageIDNoTransform(g, look, 0, x, y, TOP_LEFT);
            }
            if (lines && lines->data[a]) {
                const auto& text = lines->data[a];
                const int32_t m = text->length;
                for (int32_t l = 0; l < m; ++l)
                    drawString(g, text->data[l], x + (answer_button_width >> 1),
                               l * h + (y + (answer_button_height >> 1)) - ((m * h) >> 1), TOP_CENTRE, -1);
            }
            if (ghosted) drawImageIDNoTransform(g, answer_button_ghosted, 0, x, y, TOP_LEFT);
        }
        resetClip(g);
    }

    if (info) {
        // 6: the information panel over the question.
        drawImageIDNoTransform(g, web_strip, 0, 0, getParam(396), TOP_LEFT);
        const int32_t backX = getParam(PARAM_WEB_BACK_LEFT);
        const int32_t backY = getParam(PARAM_WEB_BACK_TOP);
        if (finger_down && pointerOverImage(web_back_click, backX, backY))
            drawImageIDNoTransform(g, web_back_click, 0, backX, backY, TOP_LEFT);
        drawImageIDNoTransform(g, info_panel, 0, getParam(PARAM_INFOBOX_TOP_X), getParam(PARAM_INFOBOX_TOP_Y),
                               TOP_LEFT);
        if (info_lines) {
            const int32_t h = getFontHeight(main_font);
            const int32_t n = info_lines->length;
            for (int32_t i = 0; i < n; ++i)
                drawString(g, info_lines->data[i], getParam(PARAM_SCREEN_XCENTRE),
                           getParam(PARAM_SCREEN_YCENTRE) + i * h - ((n * h) >> 1), TOP_CENTRE, -1);
        }
        resetClip(g);
        return;
    }

    // 7: the button bar, with the hint and skip counts in badges on the first two buttons.
    if (drawFadingSegment(g, game_segments, 4, 0, getParam(PARAM_BG_4_Y), false)) {
        const int32_t top = getParam(PARAM_MENU_BUTTONS_TOP);
        const int32_t width = getParam(PARAM_MENU_BUTTON_WIDTH);
        for (int32_t b = 0; b < 4; ++b) {
            const int32_t x = (getParam(PARAM_MENU_BUTTON_SPACING) + width) * b + getParam(PARAM_MENU_BUTTONS_LEFT);
            if (finger_down && pointerOverArea(x, top, width, getParam(PARAM_MENU_BUTTON_HEIGHT)))
                drawImageIDNoTransform(g, button_images->data[b], b, x, top, TOP_LEFT);
            if (b >= 2) continue;
            const int32_t count = practice ? 0 : (b == 0 ? hints : skips);
            drawImageIDNoTransform(g, number_icons->data[min(max(count, 0), 9)], 0, x + width, top, CENTRE);
            if (!practice && (b == 0 ? hint_awarded : skip_awarded))
                drawImageIDNoTransform(g, number_flash_icon, 0, x + width, top, CENTRE);
        }
    }
    resetClip(g);
}
