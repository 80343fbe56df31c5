// The practice lists' input: dragging with inertia and a soft pull back at the ends, a resting
// tap that chooses an item (shown pressed for one frame before it acts) and the back button.
#include "app/framework/HookCanvas.h"
#include "runtime/io/IOException.h"

namespace {

using H = HookCanvas;

constexpr int32_t ITEM_SPACING = 5;
constexpr int32_t DRAG_THRESHOLD = 6;

// Where the rows are drawn, so that the place that acts is the one the player sees.
int32_t itemLeft(H& c) { return c.getParam(H::PARAM_PRACTICE_MENU_TOP_SPACE); }

int32_t itemTop(H& c, int32_t item) {
    return c.getParam(H::PARAM_PRACTICE_MENU_TOP_SPACE) + H::scrolly_menu_yoffset +
           (H::scroller_buttonClickHeight + ITEM_SPACING) * item;
}

bool overListColumn(H& c) { return c.pointerOverArea(itemLeft(c), 0, H::scroller_buttonClickWidth, c.getParam(395)); }

// The first item under the pointer, -1 for none.
int32_t itemUnderPointer(H& c) {
    for (int32_t i = 0; i < H::scroller_items_in_menu; ++i)
        if (c.pointerOverArea(itemLeft(c), itemTop(c, i), H::scroller_buttonClickWidth, H::scroller_buttonClickHeight))
            return i;
    return -1;
}

bool overBackButton(H& c) {
    return c.pointerOverArea(c.getParam(H::PARAM_MENU_BUTTON_LEFT), c.getParam(H::PARAM_MENU_BUTTON_TOP),
                             c.getParam(H::PARAM_MENU_BUTTON_WIDTH), c.getParam(H::PARAM_MENU_BUTTON_HEIGHT));
}

int32_t abs32(int32_t v) { return v < 0 ? -v : v; }

// Pulls an overscrolled list back by a quarter of the overshoot.
int32_t pullBack(int32_t offset, int32_t velocity) {
    if (offset > 0) return -(offset >> 2);
    if (offset < -H::scroller_menu_drag_distance) return (-(H::scroller_menu_drag_distance + offset)) >> 2;
    return velocity;
}

void drag(H& c) {
    const int32_t y = H::pointer_y.load();
    if (H::msfy == 0) {
        H::msfy = y;
        return;
    }
    const int32_t d = y - H::msfy;
    if (abs32(d) > DRAG_THRESHOLD) H::was_dragging = true;
    H::scrolly_menu_yoffset += d;
    const int32_t limit = d > 0 ? H::scrolly_menu_yoffset + H::scroller_menu_drag_distance : -H::scrolly_menu_yoffset;
    H::weight_decay = H::min((4 * d + H::weight_decay) >> 2, limit);
    H::msfy = y;
    H::weight_decay = pullBack(H::scrolly_menu_yoffset, H::weight_decay);
}

void coast() {
    if (H::scroller_static_menus) {
        H::scrolly_menu_yoffset = 0;
        H::weight_decay = 0;
        return;
    }
    int32_t v = H::weight_decay;
    if (abs32(v) > 10) {
        H::scrolly_menu_yoffset += v;
        v >>= 1;
    } else if (abs32(v) >= 2) {
        H::scrolly_menu_yoffset += v;
        v += v > 0 ? -1 : 1;
    } else {
        v = pullBack(H::scrolly_menu_yoffset, v);
    }
    H::weight_decay = v;
}

}  // namespace

void HookCanvas::resetPracticeList() {
    pointer_x = 0;
    pointer_y = 0;
    scrolly_menu_yoffset = 0;
    list_selected_item = -1;
    list_highlight_item = -1;
    list_selection_drawn = false;
    list_back_pressed = false;
    list_back_hover = false;
}

void HookCanvas::updatePracticeList() {
    const bool categories = (game_state.load() & ~GAMESTATEFLAG_LOADING) == GAMESTATE_CHOOSE_CATEGORY;
    if (pointer_pressed.load() || pointer_repeated.load()) {
        list_touch_down = true;
        if (pointer_held_ms > PARAM_FINGERDOWN_TIME) list_touch_long = true;
        list_back_hover = overBackButton(*this);
        // A finger that slid off the back button no longer takes it back on release.
        if (!list_back_hover) list_back_pressed = false;
        if (!scroller_static_menus) drag(*this);
        if (overListColumn(*this)) {
            if (const int32_t item = itemUnderPointer(*this); item >= 0) list_highlight_item = item;
        } else {
            list_highlight_item = -1;
        }
        return;
    }
    if (list_back_pressed && !was_dragging) {
        if (categories) {
            startFade(FADE_IN, GAMESTATE_MAIN_MENU);
        } else {
            want_practice_mode = true;
            resetPracticeList();
            startFade(FADE_IN, GAMESTATE_CHOOSE_CATEGORY);
        }
        return;
    }
    // A quick tap whose press and release fell between two frames stays on the back button until a
    // frame has shown it pressed; the update after that frame takes it. Dropping it would lose the
    // tap whenever two updates run between frames.
    if (list_back_hover && !was_dragging) return;
    list_highlight_item = -1;
    list_back_hover = false;
    msfy = 0;
    coast();
    if (list_selection_drawn && list_selected_item != -1) {
        const int32_t item = list_selected_item;
        if (categories) {
            want_category_to_be = item;
            want_practice_mode = true;
            resetPracticeList();
            startFade(FADE_IN, GAMESTATE_CHOOSE_SUBSECTION);
        } else {
            want_subsection_to_be = item;
            want_practice_mode = true;
            resetGame(false);
            try {
                getQuestion(true);
            } catch (const java::io::IOException&) {
                // The player stays on the list, free to choose again; the main loop reports it.
                list_selected_item = -1;
                list_selection_drawn = false;
                list_touch_down = list_touch_long = was_dragging = false;
                throw;
            }
            startFade(FADE_IN, GAMESTATE_GAME_RUNNING);
        }
    } else if (!was_dragging && list_touch_down && list_touch_long && overListColumn(*this)) {
        list_selected_item = -1;
        list_highlight_item = -1;
        list_selection_drawn = false;
        list_selected_item = itemUnderPointer(*this);
    }
    list_touch_down = false;
    list_touch_long = false;
    was_dragging = false;
}
