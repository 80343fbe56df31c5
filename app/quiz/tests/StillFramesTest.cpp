// How often the question screen is drawn and presented, counted against updates: a frame that would
// be the same as the last presented one is presented only now and then, and any frame that would
// differ is presented by the update that changed it.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/quiz/tests/ScreenCanvas.h"

namespace {

using java::lang::jnew;

class StillFrames : public ScreenFixture {
protected:
    // One update and, when it asks for one, the frame after it, as the main loop runs them. The
    // frame is drawn after every update all the same, so that one not presented can be compared
    // with the last that was.
    void update() {
        if (!drawn) {
            drawn = jnew<JArray<int>>(p(320) * p(480));
            presented = jnew<JArray<int>>(p(320) * p(480));
        }
        HookCanvas::render_after_update = true;
        canvas->fixedRateUpdate();
        canvas->render(g);
        frame->getRGB(drawn, 0, p(320), 0, 0, p(320), p(480));
        if (HookCanvas::render_after_update) {
            std::copy(drawn->data, drawn->data + drawn->length, presented->data);
            ++framesPresented;
        } else if (!std::equal(drawn->data, drawn->data + drawn->length, presented->data)) {
            ++changesHeldBack;
        }
    }

    JavaPtr<JArray<int>> drawn, presented;
    int32_t framesPresented = 0;
    int32_t changesHeldBack = 0;
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
}

INSTANTIATE_TEST_SUITE_P(Scale, StillFrames, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "retina" : "standard"; });

}  // namespace
