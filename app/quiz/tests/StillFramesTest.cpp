// How often the screens are drawn and presented, counted against updates: a frame that would be
// the same as the last presented one is presented only now and then, any frame that would differ is
// presented by the update that changed it, and a screen no update changed is kept in the offscreen
// image rather than drawn again, showing exactly what drawing it again would.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/quiz/tests/ScreenCanvas.h"
#include "platform/UiThread.h"
#include "runtime/io/IOException.h"

namespace {

using java::lang::jnew;

class StillFrames : public ScreenFixture {
protected:
    // One update and, when it asks for one, the frame after it, as the main loop runs them. The
    // frame is drawn after every update all the same, so that one not presented can be compared
    // with the last that was. A frame that keeps the screen is drawn again with it redrawn.
    void update() {
        HookCanvas::render_after_update = true;
        try {
            canvas->fixedRateUpdate();
        } catch (java::io::IOException&) {
            ++updatesFailed;  // the main loop reports it and goes on
        }
        const int32_t state = HookCanvas::game_state.load();
        const bool keeps = canvas->screen_drawn_whole.load() == state && canvas->layer_drawn_at == canvas->layer_changes;
        canvas->log.clear();
        canvas->render(g);
        textDrawn = std::any_of(canvas->log.begin(), canvas->log.end(),
                                [](const std::string& entry) { return entry.rfind("text ", 0) == 0; });
        if (keeps || watchPresenting) drawn = pixels();
        if (keeps) {
            ++framesKept;
            canvas->layerChanged();
            canvas->render(g);
            if (pixels() != drawn) keptUnlikeRedrawn.insert(state);
        }
        if (!watchPresenting) return;
        if (HookCanvas::render_after_update) {
            presented = drawn;
            ++framesPresented;
        } else if (drawn != presented) {
            ++changesHeldBack;
        }
    }

    // The finger as the main loop latches it for the next update.
    static void finger(bool down, bool pressedNow) {
        HookCanvas::pointer_pressed = pressedNow;
        HookCanvas::pointer_repeated = down;
    }

    std::vector<uint32_t> pixels() const { return {frame->pixels, frame->pixels + p(320) * p(480)}; }

    // Whether each frame is compared with the last presented one.
    bool watchPresenting = true;
    std::vector<uint32_t> drawn, presented;
    int32_t framesPresented = 0;
    int32_t changesHeldBack = 0;
    // Whether the last update's frame drew any text, as drawing its screen does.
    bool textDrawn = false;
    int32_t framesKept = 0;
    int32_t updatesFailed = 0;
    // The states of kept frames that differed from the screen drawn again.
    std::set<int32_t> keptUnlikeRedrawn;
};

TEST_P(StillFrames, AQuestionAtRestIsPresentedNowAndThenAndItsTimeRunningOutAndTheNextQuestionAtOnce) {
    canvas->question_lines = lines({"Which word means", "a small open boat?"});
    canvas->answer_lines = jnew<JArray<JArray<java::lang::String>>>(3);
    for (int32_t a = 0; a < 3; ++a) canvas->answer_lines->data[a] = lines({"dinghy"});
    canvas->ghosted_answers = jnew<JArray<bool>>(3);
    canvas->correct_answer = 1;
    canvas->chosen_answer = -1;
    canvas->settings->data[4] = false;
    HookCanvas::game_state = HookCanvas::GAMESTATE_GAME_RUNNING;

    // Without the timer nothing moves: at the full rate all 150 would be presented.
    constexpr int32_t RESTING = 150;
    for (int32_t i = 0; i < RESTING; ++i) update();
    EXPECT_LE(framesPresented, RESTING / 2) << "an unchanged question screen was presented at the full rate";
    EXPECT_EQ(changesHeldBack, 0);
    EXPECT_FALSE(textDrawn) << "the question at rest was drawn again, not kept";

    // With the timer on, the time runs out after a few updates and the answers show it; the pause
    // after it rests long enough to be presented now and then, until the next question slides in.
    const auto question = canvas->question_lines;
    canvas->settings->data[4] = true;
    canvas->question_timer_ms = 400;
    framesPresented = 0;
    constexpr int32_t TIMED_OUT = 200;
    for (int32_t i = 0; i < TIMED_OUT; ++i) update();
    EXPECT_NE(canvas->question_lines, question) << "the next question came";
    EXPECT_LT(framesPresented, TIMED_OUT);
    EXPECT_EQ(changesHeldBack, 0) << "a frame that differed from the last presented one was held back";
    EXPECT_TRUE(keptUnlikeRedrawn.empty());
}

TEST_P(StillFrames, AScreenKeptIsTheScreenDrawnAgainThroughASessionOfTapsAndRests) {
    // From the start-up on, taps and drags anywhere, held for a few updates, between rests of up to
    // two seconds: every screen the taps reach, at rest, after a press, fading, sliding, coasting.
    std::mt19937 random(2026);
    const auto uniform = [&random](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    // The start-up asks the host, which runs on the UI thread: this one.
    UiThread::markCurrentThread();
    watchPresenting = false;
    HookCanvas::game_state = HookCanvas::GAMESTATE_INIT_WENDREL;
    std::set<int32_t> statesSeen;
    constexpr int32_t UPDATES = 4000;
    for (int32_t updates = 0; updates < UPDATES;) {
        for (int32_t rest = uniform(0, 60); rest > 0; --rest, ++updates) {
            finger(false, false);
            update();
            statesSeen.insert(HookCanvas::game_state.load());
        }
        // Mostly where the screens have buttons (the main menu's, the answers, the bottom bar's),
        // otherwise anywhere.
        static constexpr int32_t BUTTONS[][2] = {{160, 127}, {160, 197}, {160, 267}, {160, 337}, {40, 440},
                                                 {200, 162}, {200, 247}, {200, 332}, {40, 435},  {120, 435},
                                                 {200, 435}, {280, 435}, {160, 400}, {260, 440}};
        const bool anywhere = uniform(0, 2) == 0;
        const auto& button = BUTTONS[uniform(0, std::size(BUTTONS) - 1)];
        HookCanvas::pointer_x = p(anywhere ? uniform(0, 319) : button[0] + uniform(-8, 8));
        HookCanvas::pointer_y = p(anywhere ? uniform(0, 479) : button[1] + uniform(-8, 8));
        const bool drag = uniform(0, 3) == 0;
        for (int32_t held = uniform(1, drag ? 12 : 4), i = 0; i < held; ++i, ++updates) {
            finger(true, i == 0);
            if (drag) HookCanvas::pointer_y = std::clamp(HookCanvas::pointer_y.load() + p(uniform(-12, 12)), 0, p(479));
            update();
        }
    }
    finger(false, false);
    EXPECT_GE(statesSeen.size(), 6u) << "the taps reached too few screens to tell";
    EXPECT_GE(framesKept, UPDATES / 3) << "screens at rest were drawn again";
    EXPECT_TRUE(keptUnlikeRedrawn.empty()) << "a kept screen differed from drawing it again, first in state "
                                           << *keptUnlikeRedrawn.begin();
    // The start-up's sound players hold the canvas, as at the program's end.
    canvas->closeSounds();
}

TEST_P(StillFrames, ARowWhoseQuestionsCannotBeReadIsShownLetGoInTheFrameAfterTheFailure) {
    // The first subsection's question file cut short: choosing its row fails, and the player stays on
    // the list with the row no longer chosen.
    auto questions = fileBytes(std::string(BUNDLE_DIR) + "/cdb0_0.dat");
    ASSERT_GT(questions.size(), 64u);
    questions.resize(questions.size() / 2);
    canvas->files["cdb0_0.dat"] = questions;
    HookCanvas::subsectionStrings = jnew<JArray<JArray<java::lang::String>>>(1);
    HookCanvas::subsectionStrings->data[0] = lines({"Opening", "Middle", "Closing"});
    HookCanvas::want_category_to_be = 0;
    canvas->changeGameStateTo(HookCanvas::GAMESTATE_CHOOSE_SUBSECTION | HookCanvas::GAMESTATEFLAG_LOADING);
    watchPresenting = false;
    for (int32_t i = 0; i < 3; ++i) update();

    // A finger resting on the first row long enough to choose it, then let go.
    HookCanvas::pointer_x = p(40);
    HookCanvas::pointer_y = p(10) + HookCanvas::scroller_buttonClickHeight / 2;
    for (int32_t i = 0; i < 4; ++i) {
        finger(true, i == 0);
        update();
    }
    finger(false, false);
    for (int32_t i = 0; i < 6 && updatesFailed == 0; ++i) update();
    EXPECT_EQ(updatesFailed, 1) << "the chosen row's questions were read";
    for (int32_t i = 0; i < 3; ++i) update();
    EXPECT_EQ(HookCanvas::game_state.load(), HookCanvas::GAMESTATE_CHOOSE_SUBSECTION);
    EXPECT_EQ(canvas->list_selected_item, -1);
    EXPECT_GT(framesKept, 0);
    EXPECT_TRUE(keptUnlikeRedrawn.empty()) << "a kept frame still showed the row chosen";
    HookCanvas::want_category_to_be = -1;
    HookCanvas::want_practice_mode = false;
}

INSTANTIATE_TEST_SUITE_P(Scale, StillFrames, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "retina" : "standard"; });

}  // namespace
