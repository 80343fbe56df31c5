#include "app/quiz/LevelChange.h"

#include "app/framework/HookCanvas.h"

std::optional<LevelChange> LevelChange::due(HookCanvas& canvas) {
    if (HookCanvas::current_mode_practice) return std::nullopt;
    const int32_t earned = canvas.getRanking();
    if (earned == canvas.rank) return std::nullopt;
    const int32_t ranks =
        HookCanvas::levelThresholds ? HookCanvas::levelThresholds->length : HookCanvas::PARAM_NUMBER_OF_RANKS;
    const int32_t panel = earned >= ranks         ? HookCanvas::GAMESTATE_COMPLETE
                          : earned < canvas.rank ? HookCanvas::GAMESTATE_DEMOTED
                                                 : HookCanvas::GAMESTATE_PROMOTED;
    return LevelChange{earned, panel};
}

int32_t LevelChange::panelSound(int32_t panel) {
    return panel == HookCanvas::GAMESTATE_COMPLETE ? HookCanvas::RESID_GAME_OVER_WIN
           : panel == HookCanvas::GAMESTATE_DEMOTED ? HookCanvas::RESID_DEMOTED
                                                    : HookCanvas::RESID_PROMOTED;
}

bool LevelChange::finishesTest() const { return panel == HookCanvas::GAMESTATE_COMPLETE; }
