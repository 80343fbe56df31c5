// The main menu, the about screen, the statistics with their stars and the confirmation dialog.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {
constexpr int32_t TOP_LEFT = javax::microedition::lcdui::Graphics::TOP | javax::microedition::lcdui::Graphics::LEFT;
constexpr const char* STATS_LABELS[] = {"Total correct (Practice)",
                                        "Total attempted (Practice)",
                                        "Percentage correct (Practice)",
                                        "Total correct (Test)",
                                        "Total attempted (Test)",
                                        "Percentage correct (Test)",
                                        "Level",
                                        "Stars"};
// The ranks above which the bronze, silver and gold stars are earned.
constexpr int32_t STAR_RANKS[] = {6, 14, 22};

JavaPtr<java::lang::String> percentage(int32_t right, int32_t wrong) {
    const int64_t attempted = static_cast<int64_t>(right) + wrong;
    const int64_t percent = right == 0 || attempted <= 0 ? 0 : static_cast<int64_t>(right) * 100 / attempted;
    return java::lang::String::valueOf(static_cast<int32_t>(percent)) + "%";
}
}  // namespace

void HookCanvas::renderMainMenu(const JavaPtr<Graphics>& g) {
    drawFadingSegment(g, menu_segments, 0, 0, 0, true);
    drawFadingSegment(g, menu_segments, 1, 0, getParam(PARAM_BG_MENU_Y), true);
    if (drawFadingSegment(g, menu_segments, 2, 0, getParam(PARAM_BG_1_H), false)) {
        drawImageIDNoTransform(g, menu_segments->data[2], 0, 0, getParam(PARAM_BG_1_H), TOP_LEFT);
        drawMenu(g);
        resetClip(g);
    }
    if (drawFadingSegment(g, menu_segments, 3, 0, getParam(PARAM_BG_4_Y), false)) {
        drawImageIDNoTransform(g, finger_down && pointerOverAboutArea() ? icon_click_about : icon_about, 0, 0,
                               getParam(PARAM_BG_4_Y), TOP_LEFT);
        resetClip(g);
    }
}

// The right-hand column of the about and statistics screens, with the menu button's highlight.
namespace {
void drawMenuColumn(HookCanvas& canvas, const JavaPtr<javax::microedition::lcdui::Graphics>& g,
                    const JavaPtr<JArray<int32_t>>& segments) {
    const int32_t x = canvas.getParam(HookCanvas::PARAM_ABOUT_X);
    canvas.drawFadingSegment(g, segments, 3, x, 0, true);
    canvas.drawFadingSegment(g, segments, 4, x, canvas.getParam(HookCanvas::PARAM_BG_1_H), true);
    const bool column = canvas.drawFadingSegment(g, segments, 5, x, canvas.getParam(HookCanvas::PARAM_BG_4_Y), true);
    if (column && canvas.finger_down && canvas.pointerOverMenuButton())
        canvas.drawImageIDNoTransform(g, canvas.button_images->data[4], 0,
                                      canvas.getParam(HookCanvas::PARAM_MENU_BUTTON_LEFT),
                                      canvas.getParam(HookCanvas::PARAM_MENU_BUTTON_TOP), TOP_LEFT);
}
}  // namespace

void HookCanvas::renderAbout(const JavaPtr<Graphics>& g) {
    drawFadingSegment(g, about_segments, 0, 0, 0, true);
    drawFadingSegment(g, about_segments, 1, 0, getParam(PARAM_ABOUT_Y), true);
    if (drawFadingSegment(g, about_segments, 2, 0, getParam(PARAM_BG_1_H), false))
        drawCharsOrString(g, version_string, nullptr, 0, version_string->length(), getParam(PARAM_ABOUT_TEXT_X),
                          PARAM_WL_BASE_SCREEN_HEIGHT.load(std::memory_order_relaxed) - getParam(PARAM_ABOUT_TEXT_Y),
                          Graphics::BOTTOM | Graphics::LEFT, -1);
    resetClip(g);
    drawMenuColumn(*this, g, about_segments);
}

JavaPtr<java::lang::String> HookCanvas::statsValue(int32_t row) {
    switch (row) {
        case 0: return String::valueOf(practice_right_total);
        case 1: return String::valueOf(practice_right_total + practice_wrong_total);
        case 2: return percentage(practice_right_total, practice_wrong_total);
        case 3: return String::valueOf(test_right_total);
        case 4: return String::valueOf(test_right_total + test_wrong_total);
        case 5: return percentage(test_right_total, test_wrong_total);
        // A completed test holds the rank one past the last level; it still reads as the last.
        case 6: return jnew<String>("Level ") + min(rank + 1, PARAM_NUMBER_OF_RANKS) + "/30";
        default: return jnew<String>("");
    }
}

void HookCanvas::renderStats(const JavaPtr<Graphics>& g) {
    drawFadingSegment(g, stats_segments, 0, 0, 0, true);
    drawFadingSegment(g, stats_segments, 1, 0, getParam(PARAM_BG_MENU_Y), true);
    if (drawFadingSegment(g, stats_segments, 2, 0, getParam(PARAM_BG_1_H), false)) {
        for (int32_t i = 0; i < 8; ++i) {
            const int32_t rowTop = getParam(PARAM_STATS_TOP) + i * getParam(PARAM_STATS_VSPACING);
            drawImageIDNoTransform(g, stats_box_overlay, 0, getParam(PARAM_STATS_OVERLAY_LEFT),
                                   getParam(PARAM_STATS_OVERLAY_TOP) + i * getParam(PARAM_STATS_VSPACING), TOP_LEFT);
            drawString(g, jnew<String>(STATS_LABELS[i]), getParam(PARAM_STATS_LEFT), rowTop, TOP_LEFT, -1);
            drawString(g, statsValue(i), getParam(PARAM_STATS_RIGHT), rowTop + getParam(PARAM_STATS_VALUE_TOP),
                       Graphics::BOTTOM | Graphics::RIGHT, -1);
        }
        for (int32_t star = 0; star < 3; ++star)
            if (rank > STAR_RANKS[star])
                drawImageIDNoTransform(g, small_stars->data[star], 0,
                                       getParam(PARAM_LITTLESTAR_CENTRE_X) + star * little_starwidth,
                                       getParam(PARAM_LITTLESTAR_CENTRE_Y), Graphics::HCENTER | Graphics::VCENTER);
        resetClip(g);
    }
    drawMenuColumn(*this, g, stats_segments);
}

void HookCanvas::renderConfirm(const JavaPtr<Graphics>& g) {
    drawFadingSegment(g, confirm_segments, 0, 0, 0, true);
    drawFadingSegment(g, confirm_segments, 1, 0, getParam(PARAM_CONFIRM_Y), true);
    if (drawFadingSegment(g, confirm_segments, 2, getParam(PARAM_CONFIRM_X), getParam(PARAM_CONFIRM_Y), false)) {
        const int32_t h = getFontHeight(main_font);
        const char* lines[] = {"Your current progress will be lost.", "Are you sure that you want to",
                               "start a new test?"};
        for (int32_t i = 0; i < 3; ++i)
            drawString(g, jnew<String>(lines[i]), getParam(PARAM_SCREEN_XCENTRE),
                       getParam(PARAM_CONFIRM_TEXT_Y) + i * h, Graphics::TOP | Graphics::HCENTER, -1);
        drawMenu(g);
        resetClip(g);
    }
    drawFadingSegment(g, confirm_segments, 3, getParam(PARAM_CONFIRM_BG_3_X), getParam(PARAM_CONFIRM_Y), true);
    drawFadingSegment(g, confirm_segments, 4, 0, getParam(PARAM_CONFIRM_BG_4_Y), true);
}
