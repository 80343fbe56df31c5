// Screen changes: every change asks for the target state with its loading, and the target's fade
// sequence then steps about every 132 ms.
#include "app/framework/HookCanvas.h"

namespace {

constexpr int32_t UPDATE_MS = 33;
constexpr int32_t STEP_MS = 100;

int32_t fadeResourceOf(int32_t state) {
    switch (state) {
    case HookCanvas::GAMESTATE_MAIN_MENU: return HookCanvas::RESID_MENU_BG_TRANS;
    case HookCanvas::GAMESTATE_GAME_RUNNING: return HookCanvas::RESID_GAME_BG_TRANS;
    case HookCanvas::GAMESTATE_ABOUT: return HookCanvas::RESID_ABOUT_BG_TRANS;
    case HookCanvas::GAMESTATE_STATS: return HookCanvas::RESID_STATS_BG_TRANS;
    case HookCanvas::GAMESTATE_CONFIRM: return HookCanvas::RESID_CONFIRM_BG_TRANS;
    default: return -1;
    }
}

}  // namespace

JavaPtr<JArray<signed char>> HookCanvas::fadeSequenceFor(int32_t state) {
    const int32_t resource = fadeResourceOf(state);
    if (resource < 0) return nullptr;
    if (!fade_sequences) fade_sequences = java::lang::jnew<JArray<JArray<signed char>>>(GAMESTATE_CONFIRM + 1);
    auto& sequence = fade_sequences->data[state];
    if (!sequence) sequence = getResourceByteArray(resource);
    // An empty sequence could never reach its end; it shows as no fade at all.
    return sequence && sequence->length > 0 ? sequence : nullptr;
}

void HookCanvas::startFade(int32_t direction, int32_t state) {
    finger_down = false;
    fade_step = 0;
    fade_step_ms = 0;
    screen_drawn_whole = -1;
    for (int32_t i = 0; i < segment_wipe->length; ++i) segment_wipe->data[i] = 0;
    if (auto sequence = fadeSequenceFor(state)) {
        fading = true;
        fade_mask = sequence;
        fade_target_state = state;
    }
    if (fading && !first_menu_load) playSound(RESID_TRANSITION_SHOOSH, 0, 1);
    changeGameStateTo(state | GAMESTATEFLAG_LOADING);
}

void HookCanvas::fadeTick() {
    if (!fading) return;
    fade_step_ms += UPDATE_MS;
    if (fade_step_ms > STEP_MS) {
        fade_step_ms = 0;
        ++fade_step;
    }
    if (!fade_mask || fade_step >= fade_mask->length) fading = false;
}
