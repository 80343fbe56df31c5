// The question screen's logic: the timer, taps on the answers and the bottom buttons, scoring with
// hints and skips, the pause after an answer, and the test's promotion, demotion and completion.
#include "app/framework/HookCanvas.h"
#include "app/quiz/LevelChange.h"
#include "app/quiz/ProgressLimits.h"

namespace {

using progresslimits::countOne;
using progresslimits::MOST_HELD;
using progresslimits::MOST_RIGHT_ON_LEVEL;
constexpr int32_t UPDATE_MS = 33;
constexpr int32_t TIME_WARNING_MS = 3200;
constexpr int32_t SLIDE_IN_UPDATES = 20;

}  // namespace

int32_t HookCanvas::answerSlotTop(int32_t slot) {
    return getParam(PARAM_ANSWER_BUTTONS_TOP) + slot * (getParam(PARAM_ANSWER_BUTTONS_SPACING) + answer_button_height);
}

bool HookCanvas::pointerOverAnswer(int32_t slot) {
    if (ghosted_answers && ghosted_answers->data[slot]) return false;
    return pointerOverImage(answer_button_click, getParam(PARAM_ANSWER_BUTTONS_LEFT), answerSlotTop(slot));
}

bool HookCanvas::pointerOverBottomButton(int32_t button) {
    const int32_t x =
        getParam(PARAM_MENU_BUTTONS_LEFT) + button * (getParam(PARAM_MENU_BUTTON_WIDTH) + getParam(PARAM_MENU_BUTTON_SPACING));
    return pointerOverArea(x, getParam(PARAM_MENU_BUTTONS_TOP), getParam(PARAM_MENU_BUTTON_WIDTH),
                           getParam(PARAM_MENU_BUTTON_HEIGHT));
}

void HookCanvas::updateQuestionScreen() {
    if (settings->data[4] && question_delay <= 0) {
        question_timer_ms -= UPDATE_MS;
        if (!time_warning_played && question_timer_ms < TIME_WARNING_MS) {
            playSound(RESID_SOUND_ALMOST_OUT_OF_TIME, 0, 1);
            time_warning_played = true;
        }
        if (question_timer_ms <= 0) {
            question_timer_ms = 0;
            question_delay = PARAM_NEXT_QUESTION_DELAY;
            chosen_answer = -1;
            if (!current_mode_practice) {
                countOne(level_attempted);
                if (level_right > 0) --level_right;
            }
            playSound(RESID_INCORRECT, 0, 1);
            if (current_mode_practice) {
                countOne(practice_wrong_total);
            } else {
                countOne(test_wrong_total);
            }
            streak = 0;
            answered_correctly = false;
            question_answered = true;
            saveData();
        } else {
            handleInput();
        }
    }
    if (question_delay <= 0) {
        if (!settings->data[4]) handleInput();
        return;
    }
    if (--question_delay > 0) return;
    if (question_slide_in) {
        question_slide_in = false;
        playSound(RESID_QUESTION1 + question_sound_index, 0, 1);
        question_sound_index = (question_sound_index + 1) % 4;
        return;
    }
    const auto change = LevelChange::due(*this);
    if (change) {
        playSound(LevelChange::panelSound(change->panel), 0, 1);
        startFade(FADE_IN, change->panel);
        rank = change->rank;
        level_right = 0;
        level_attempted = 0;
        if (change->finishesTest()) test_finished = true;
        level_change_owed = change->owedPanel();
        // The new level is on record before its screen shows, as the answer's save had it.
        saveData();
    }
    if (current_mode_practice && answered_in_run == questions_in_run) {
        playSound(RESID_GAME_OVER_WIN, 0, 1);
        startFade(FADE_IN, GAMESTATE_COMPLETE);
        return;
    }
    if (!change) getQuestion(true);
    question_slide_in = true;
    playSound(RESID_QUESTION_BOX_SLIDE, 0, 1);
    question_delay = SLIDE_IN_UPDATES;
}

void HookCanvas::handleInput() {
    const bool touching = pointer_pressed.load() || pointer_repeated.load();
    if (!touching) list_touch_down = false;
    if (touching) {
        bool overButton = false;
        for (int32_t i = 0; i < 3 && !overButton; ++i) overButton = pointerOverAnswer(i);
        for (int32_t j = BUTTON_HINT; j <= BUTTON_MENU && !overButton; ++j) overButton = pointerOverBottomButton(j);
        if (overButton) top_corner = 3;
    }
    if (!finger_down) {
        if (touching && !list_touch_down) onFingerDown();
    } else if (!touching) {
        onFingerUp();
    }
}

void HookCanvas::onFingerDown() {
    finger_down = true;
    for (int32_t i = 0; i < 3; ++i)
        if (pointerOverAnswer(i)) return;
    for (int32_t j = BUTTON_HINT; j <= BUTTON_MENU; ++j)
        if (pointerOverBottomButton(j)) return;
    playSound(RESID_CLICK_ON_BACKGROUND, 0, 1);
}

void HookCanvas::onFingerUp() {
    const bool test = !current_mode_practice;
    for (int32_t i = 0; i < 3; ++i) {
        if (!pointerOverAnswer(i)) continue;
        chosen_answer = i;
        if (correct_answer == i + 1) {
            answered_correctly = true;
            particle_shower(pointer_x.load(), pointer_y.load(), TWINKLE_GREEN, 8);
            top_corner = TOP_CORNER_ANSWER_RIGHT;
            if (test) {
                countOne(test_right_total);
            } else {
                countOne(practice_right_run);
                countOne(practice_right_total);
            }
            ++streak;
            if (test) {
                countOne(level_right, MOST_RIGHT_ON_LEVEL);
                if (streak % 3 == 0 && ++hints < 10) hint_awarded = true;
                if (streak % 5 == 0 && ++skips < 10) skip_awarded = true;
            }
            if (current_category >= 0 && current_category < category_scores->length)
                countOne(category_scores->data[current_category]);
            playSound(hint_awarded || skip_awarded ? RESID_CORRECT_PLUS_HINT_OR_SKIP : RESID_CORRECT, 0, 1);
            if (hints > MOST_HELD) hints = MOST_HELD;
            if (skips > MOST_HELD) skips = MOST_HELD;
        } else {
            answered_correctly = false;
            playSound(RESID_INCORRECT, 0, 1);
            particle_shower(pointer_x.load(), pointer_y.load(), TWINKLE_RED, 8);
            top_corner = TOP_CORNER_ANSWER_WRONG;
            if (test) {
                if (level_right > 0) --level_right;
                countOne(test_wrong_total);
            } else {
                countOne(practice_wrong_total);
            }
            streak = 0;
        }
        if (test) countOne(level_attempted);
        countOne(answered_in_run);
        question_delay = PARAM_NEXT_QUESTION_DELAY;
        if (!test && answered_in_run == questions_in_run && practicedDBs && current_category >= 0 &&
            current_category < practicedDBs->length && current_subsection >= 0 &&
            current_subsection < practicedDBs->data[current_category]->length)
            practicedDBs->data[current_category]->data[current_subsection] = true;
        question_answered = true;
        saveData();
    }
    for (int32_t j = BUTTON_HINT; j <= BUTTON_MENU; ++j) {
        if (!pointerOverBottomButton(j)) continue;
        if (j == BUTTON_HINT) {
            if (!test || hint_used || hints <= 0) continue;
            hint_used = true;
            playSound(RESID_PLAY_A_HINT, 0, 1);
            --hints;
            int32_t r;
            do {
                r = random(3);
            } while (r == correct_answer - 1 || ghosted_answers->data[r]);
            ghosted_answers->data[r] = true;
            if (saved_ghosted_answers) saved_ghosted_answers->data[r] = true;
            // Spent on record at once, as a skip is with the question it brings.
            saveData();
        } else if (j == BUTTON_SKIP) {
            if (!test || skips <= 0) continue;
            --skips;
            playSound(RESID_PLAY_A_SKIP, 0, 1);
            getQuestion(true);
            question_slide_in = true;
            playSound(RESID_QUESTION_BOX_SLIDE, 0, 1);
            question_delay = SLIDE_IN_UPDATES;
        } else if (j == BUTTON_INFO) {
            changeGameStateTo(GAMESTATE_INFOLINK | GAMESTATEFLAG_LOADING);
        } else {
            saveData();
            startFade(FADE_IN, GAMESTATE_MAIN_MENU);
        }
    }
    list_touch_down = false;
    finger_down = false;
}

int32_t HookCanvas::getRanking() {
    if (level_attempted > 5 && level_right * 100 / level_attempted < 40) return rank > 0 ? rank - 1 : rank;
    if (levelThresholds && rank < levelThresholds->length)
        return level_right > levelThresholds->data[rank] ? rank + 1 : rank;
    return rank;
}

void HookCanvas::resetGame(bool full) {
    if (full) {
        settings->data[0] = true;
        settings->data[5] = true;
    }
    practice_right_run = 0;
    answered_in_run = 0;
    // Only a test's reset touches the test's level: a practice run leaves it as it stood.
    if (want_practice_mode) return;
    level_right = 0;
    level_attempted = 0;
    test_right_total = 0;
    test_wrong_total = 0;
    test_finished = full;
    rank = 0;
    level_change_owed = 0;
    saved_question_record = nullptr;
    hints = 1;
    skips = 1;
}

void HookCanvas::resetScores(int32_t category) {
    if (category < 0 || category >= PARAM_NUMBER_OF_CATEGORIES + 1) return;
    category_scores->data[category] = 0;
    category_questions_asked->data[category] = 63;
    category_completed->data[category] = false;
}

void HookCanvas::startGame() {
    question_delay = 0;
    for (int32_t i = 0; i < recent_questions->length; ++i) recent_questions->data[i] = -1;
}

bool HookCanvas::testToContinue() const { return !test_finished && (rank > 0 || level_change_owed != 0); }

void HookCanvas::closeCompletedTest() {
    test_finished = true;
    saveData();
}
