// The promotion and demotion panels and the end screen of a test or a practice run.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

namespace {
constexpr int32_t TOP_LEFT = javax::microedition::lcdui::Graphics::TOP | javax::microedition::lcdui::Graphics::LEFT;
constexpr int32_t CENTRE =
    javax::microedition::lcdui::Graphics::HCENTER | javax::microedition::lcdui::Graphics::VCENTER;
}  // namespace

void HookCanvas::renderRankChange(const JavaPtr<Graphics>& g, bool promoted) {
    drawImageIDNoTransform(g, promoted ? promoted_bg : demoted_bg, 0, getParam(PARAM_SCREEN_XCENTRE),
                           getParam(PARAM_SCREEN_YCENTRE), CENTRE);
    // There are 29 badges: the 30th level shows the 29th again.
    const int32_t badge = min(max(rank, 0), rank_badges->length - 2);
    drawImageIDNoTransform(g, rank_badges->data[max(badge, 0)], 0, getParam(PARAM_LPANEL_XCENTRE),
                           getParam(promoted ? PARAM_LPANEL_PROMOTE : PARAM_LPANEL_DEMOTE), CENTRE);
    if (button_flash < 1) {
        const int32_t x = getParam(PARAM_MENU_BUTTON_PROMOTE_LEFT);
        const int32_t y = getParam(PARAM_MENU_BUTTON_PROMOTE_TOP);
        drawImageIDNoTransform(
            g,
            finger_down && pointerOverImage(ranking_button_normal, x, y) ? ranking_button_click : ranking_button_normal,
            0, x, y, TOP_LEFT);
    }
    if (!promoted) return;
    const int32_t star = rank == 7 ? 0 : rank == 15 ? 1 : rank == 23 ? 2 : -1;
    if (star >= 0)
        drawImageIDNoTransform(g, big_stars->data[star], 0, getParam(PARAM_BIGSTAR_CENTRE_X),
                               getParam(PARAM_BIGSTAR_CENTRE_Y), CENTRE);
}

void HookCanvas::renderComplete(const JavaPtr<Graphics>& g) {
    if (!current_mode_practice) {
        drawImageIDNoTransform(g, complete_bg, 0, 0, 0, TOP_LEFT);
    } else {
        drawImageIDNoTransform(g, complete_bg_practice, 0, 0, 0, TOP_LEFT);
        setFont(g, numbers_font);
        const JavaPtr<String> score = String::valueOf(practice_right_run) + "/" + questions_in_run;
        drawCharsOrString(g, score, nullptr, 0, score->length(),
                          PARAM_WL_BASE_SCREEN_WIDTH.load(std::memory_order_relaxed) / 2,
                          getParam(PARAM_COMPLETE_TEXT_Y), CENTRE, -1);
        setFont(g, main_font);
        const int32_t x = getParam(PARAM_MENU_BUTTON_UNITS_LEFT);
        const int32_t y = getParam(PARAM_MENU_BUTTON_PROMOTE_TOP);
        drawImageIDNoTransform(g, units_button_normal, 0, x, y, TOP_LEFT);
        if (finger_down && pointerOverImage(units_button_normal, x, y))
            drawImageIDNoTransform(g, units_button_click, 0, x, y, TOP_LEFT);
    }
    // Highlighted exactly while the finger is on the menu button that acts here.
    if (finger_down && pointerOverMenuButton())
        drawImageIDNoTransform(g, ranking_button_menu_click, 0, getParam(PARAM_MENU_BUTTON_PROMOTE_LEFT),
                               getParam(PARAM_MENU_BUTTON_PROMOTE_TOP), TOP_LEFT);
}
