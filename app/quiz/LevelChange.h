// The level change that the test's answers have earned, decided in one place: for the end of the
// pause after an answer, which makes it, and for a save during that pause, which records the level
// as it will then stand.
#pragma once

#include <cstdint>
#include <optional>

class HookCanvas;

struct LevelChange {
    // The change due now; none in practice or while the level stands.
    static std::optional<LevelChange> due(HookCanvas& canvas);
    // The sound that opens a level change's panel, also when the panel was owed since a restart.
    static int32_t panelSound(int32_t panel);

    // Past the last level the test ends at once; a promotion or demotion is owed until its panel
    // is left.
    bool finishesTest() const;
    int32_t owedPanel() const { return finishesTest() ? 0 : panel; }

    int32_t rank = 0;
    // GAMESTATE_PROMOTED, GAMESTATE_DEMOTED, or GAMESTATE_COMPLETE past the last level.
    int32_t panel = 0;
};
