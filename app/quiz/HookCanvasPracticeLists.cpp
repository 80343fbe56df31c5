// The practice lists of categories and of a category's subsections: wide buttons in a column that
// scrolls under a fixed header and footer, each with its progress boxes, and the back control.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"

namespace {
constexpr int32_t TOP_LEFT = javax::microedition::lcdui::Graphics::TOP | javax::microedition::lcdui::Graphics::LEFT;
constexpr int32_t LEFT_MIDDLE =
    javax::microedition::lcdui::Graphics::LEFT | javax::microedition::lcdui::Graphics::VCENTER;
}  // namespace

int32_t HookCanvas::howManyBoxes(int32_t category) {
    if (!practicedDBs || category < 0 || category >= practicedDBs->length || !practicedDBs->data[category]) return 0;
    const auto& practiced = practicedDBs->data[category];
    const int32_t s = practiced->length;
    int32_t p = 0;
    for (int32_t i = 0; i < s; ++i) p += practiced->data[i] ? 1 : 0;
    if (s == 0 || p == 0) return 0;
    if (p < s / 2) return 1;
    return p == s ? 3 : 2;
}

void HookCanvas::renderPracticeList(const JavaPtr<Graphics>& g) {
    const bool categories =
        (game_state.load(std::memory_order_relaxed) & ~GAMESTATEFLAG_LOADING) == GAMESTATE_CHOOSE_CATEGORY;
    drawFadingSegment(g, chooser_segments, 0, 0, 0, true);
    drawFadingSegment(g, practice_menu_extra_borders, 0, 0, getParam(PARAM_BG_MENU_Y), true);
    if (drawFadingSegment(g, chooser_segments, 2, 0, getParam(PARAM_BG_1_H), false)) {
        g->setClip(0, 0, getParam(PARAM_CHOOSE_WIDTH), getParam(PARAM_BG_4_Y));
        const int32_t h = getFontHeight(main_font);
        const int32_t rowHeight = scroller_buttonClickHeight;
        const int32_t items = scroller_category_list ? scroller_category_list->length : 0;
        const JavaPtr<JArray<bool>> practiced =
            !categories && practicedDBs && want_category_to_be >= 0 && want_category_to_be < practicedDBs->length
                ? practicedDBs->data[want_category_to_be]
                : nullptr;
        for (int32_t i = 0; i < items; ++i) {
            const int32_t rowTop = getParam(PARAM_PRACTICE_MENU_TOP_SPACE) + scrolly_menu_yoffset + (rowHeight + 5) * i;
            const bool pressed = i == list_selected_item || i == list_highlight_item;
            drawImageIDNoTransform(g, pressed ? wide_button_click : wide_button_normal, 0,
                                   getParam(PARAM_PRACTICE_MENU_TOP_SPACE), rowTop, TOP_LEFT);
            if (categories) {
                const int32_t boxes = boxesToShow && i < boxesToShow->length ? boxesToShow->data[i] : 0;
                drawImageIDNoTransform(g, three_boxes->data[min(max(boxes, 0), 3)], 0, getParam(PARAM_THREE_BOXES_LEFT),
                                       rowTop, TOP_LEFT);
            } else {
                const bool done = practiced && i < practiced->length && practiced->data[i];
                drawImageIDNoTransform(g, done ? one_box_on : one_box_off, 0, getParam(PARAM_ONE_BOX_LEFT),
                                       rowTop + getParam(PARAM_ONE_BOX_TOP_ADJUST), TOP_LEFT);
            }
            if (i == list_selected_item) list_selection_drawn = true;
            const auto& lines = scroller_category_list->data[i];
            const int32_t m = lines ? lines->length : 0;
            for (int32_t l = 0; l < m; ++l)
                drawString(g, lines->data[l], getParam(PARAM_CAT_TEXT_X),
                           l * h +
                               ((rowHeight >> 1) + scrolly_menu_yoffset + (rowHeight + 5) * i - (((m - 1) * h) >> 1)) +
                               getParam(PARAM_PRACTICE_MENU_TOP_SPACE),
                           LEFT_MIDDLE, -1);
        }
        resetClip(g);
    }
    drawFadingSegment(g, practice_menu_extra_borders, 1, 0, getParam(PARAM_BG_4_Y), true);
    if (!categories) {
        drawImageIDNoTransform(g, list_back_hover ? practice_menu_back_click : practice_menu_back_normal, 0,
                               getParam(PARAM_MENU_BUTTON_PROMOTE_LEFT), getParam(PARAM_BG_4_Y), TOP_LEFT);
        if (list_back_hover) list_back_pressed = true;
    } else if (list_back_hover) {
        drawImageIDNoTransform(g, button_images->data[4], 0, getParam(PARAM_MENU_BUTTON_LEFT),
                               getParam(PARAM_MENU_BUTTON_TOP), TOP_LEFT);
        list_back_pressed = true;
    } else {
        list_back_pressed = false;
    }
}
