// One frame of the quiz: the current screen into the offscreen image unless it holds that screen
// already, that image to the screen and the twinkles over it. The loading screens show the splash
// and its animation, or the last frame.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"

using javax::microedition::lcdui::Image;

void HookCanvas::render(const JavaPtr<Graphics>& g) {
    auto sync = startSync();
    const int32_t width = PARAM_WL_BASE_SCREEN_WIDTH.load(std::memory_order_relaxed);
    const int32_t height = PARAM_WL_BASE_SCREEN_HEIGHT.load(std::memory_order_relaxed);
    // Made here when the start-up has not, or when the screen changed size, so that no frame
    // draws through a missing or mis-sized image.
    if (!offscreen_image || offscreen_image->getWidth() != width || offscreen_image->getHeight() != height) {
        if (width < 1 || height < 1) return;
        offscreen_image = Image::createImage(width, height);
        offscreen_graphics = offscreen_image->getGraphics();
        layer_drawn_at = -1;
    }
    const JavaPtr<Graphics>& off = offscreen_graphics;
    // Acquired: a state its loader has just finished shows the fields that loader wrote.
    const int32_t state = game_state.load();
    wipe_unfinished = false;
    const bool loading = (state & GAMESTATEFLAG_LOADING) != 0 || state == GAMESTATE_INIT_WENDREL;
    // A screen no update changed since it was drawn whole is in the offscreen image already: only
    // the twinkles over it move.
    const bool kept = !loading && screen_drawn_whole.load() == state && layer_drawn_at == layer_changes;
    if (loading) {
        if (first_menu_load && splash_image) {
            off->drawImage(splash_image, 0, 0, Graphics::TOP | Graphics::LEFT);
            if (loading_frames && loading_frames->length >= 8 && loading_frames->data[7]) {
                off->drawImage(loading_frames->data[loading_frame_counter % 8], getParam(PARAM_LOADING_ANIM_X),
                               getParam(PARAM_LOADING_ANIM_Y), Graphics::TOP | Graphics::LEFT);
                ++loading_frame_counter;
            }
        }
    } else if (!kept) {
        setFont(off, main_font);
        switch (state) {
            case GAMESTATE_MAIN_MENU: renderMainMenu(off); break;
            case GAMESTATE_GAME_RUNNING:
            case GAMESTATE_INFOLINK: renderQuestionScreen(off); break;
            case GAMESTATE_ABOUT: renderAbout(off); break;
            case GAMESTATE_STATS: renderStats(off); break;
            case GAMESTATE_CONFIRM: renderConfirm(off); break;
            case GAMESTATE_PROMOTED: renderRankChange(off, true); break;
            case GAMESTATE_DEMOTED: renderRankChange(off, false); break;
            case GAMESTATE_COMPLETE: renderComplete(off); break;
            case GAMESTATE_CHOOSE_CATEGORY:
            case GAMESTATE_CHOOSE_SUBSECTION: renderPracticeList(off); break;
            default: break;  // the last frame stays
        }
    }
    g->drawImage(offscreen_image, 0, 0, Graphics::TOP | Graphics::LEFT);
    render_particles(g);
    screen_drawn_whole = loading || fading || wipe_unfinished ? -1 : state;
    // Kept next time only if this frame drew its screen whole, which screen_drawn_whole tells.
    layer_drawn_at = layer_changes;
}
