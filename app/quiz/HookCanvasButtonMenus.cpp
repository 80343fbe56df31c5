// The button menus of the main menu and the confirmation: where each button sits, and its label,
// pressed highlight and disabled overlay drawn over the screen's background.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {
constexpr const char* MAIN_MENU_LABELS[] = {"Continue Test", "New Test", "Practice", "Scores & Statistics"};
constexpr const char* CONFIRM_LABELS[] = {"Yes", "No"};
}  // namespace

void HookCanvas::setupMenu(int32_t state) {
    menu_button_state = state;
    const int32_t n = state == GAMESTATE_MAIN_MENU ? 4 : state == GAMESTATE_CONFIRM ? 2 : 0;
    menu_button_images = jnew<JArray<int32_t>>(n);
    menu_button_x = jnew<JArray<int32_t>>(n);
    menu_button_y = jnew<JArray<int32_t>>(n);
    menu_button_labels = jnew<JArray<String>>(n);
    const int32_t top = getParam(state == GAMESTATE_MAIN_MENU ? PARAM_MAIN_MENU_TOP : PARAM_CONFIRM_MENU_TOP);
    for (int32_t i = 0; i < n; ++i) {
        menu_button_images->data[i] = answer_button_click;
        menu_button_x->data[i] = getParam(PARAM_SCREEN_XCENTRE) -
                                 (getImageDimension(answer_button_click, 0, 0, IMAGEDIMENSION_WIDTH) >> 1) - 1;
        menu_button_y->data[i] = top + i * getParam(PARAM_TEXT_SPACING);
        menu_button_labels->data[i] =
            jnew<String>(state == GAMESTATE_MAIN_MENU ? MAIN_MENU_LABELS[i] : CONFIRM_LABELS[i]);
    }
}

void HookCanvas::drawMenu(const JavaPtr<Graphics>& g) {
    if (!menu_button_images) return;
    for (int32_t i = 0; i < menu_button_images->length; ++i) {
        const int32_t image = menu_button_images->data[i];
        const int32_t x = menu_button_x->data[i];
        const int32_t y = menu_button_y->data[i];
        const bool enabled = i != 0 || testToContinue();
        if (finger_down && enabled && pointerOverImage(image, x, y))
            drawImageIDNoTransform(g, image, 0, x, y, Graphics::TOP | Graphics::LEFT);
        drawString(g, menu_button_labels->data[i], PARAM_WL_BASE_SCREEN_WIDTH.load(std::memory_order_relaxed) >> 1,
                   y + (getImageDimension(image, 0, 0, IMAGEDIMENSION_HEIGHT) >> 1),
                   Graphics::HCENTER | Graphics::VCENTER, -1);
        if (!enabled) drawImageIDNoTransform(g, answer_button_ghosted, 0, x, y, Graphics::TOP | Graphics::LEFT);
    }
}
