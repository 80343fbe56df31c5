// Screen changes with their fade sequences, and the twinkle pool's bursts, ageing and drift.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "app/quiz/tests/QuizCanvas.h"
#include "runtime/io/tests/TestDirectories.h"

namespace {

using H = HookCanvas;

class Fades : public TestDirectories {
protected:
    void SetUp() override {
        TestDirectories::SetUp();
        world.emplace(documents);
        quiz().resources[H::RESID_MENU_BG_TRANS] = {1, 3, 7};
        quiz().resources[H::RESID_GAME_BG_TRANS] = {};
    }
    void TearDown() override {
        world.reset();
        TestDirectories::TearDown();
    }
    QuizCanvas& quiz() { return *world->canvas; }
    std::optional<QuizWorld> world;
};

TEST_F(Fades, FirstFadeIsSilentAndLaterOnesShoosh) {
    ASSERT_TRUE(quiz().first_menu_load);
    quiz().startFade(H::FADE_IN, H::GAMESTATE_MAIN_MENU);
    EXPECT_TRUE(quiz().fading);
    EXPECT_EQ(quiz().fade_target_state, H::GAMESTATE_MAIN_MENU);
    EXPECT_TRUE(quiz().sounds.empty());
    quiz().first_menu_load = false;
    quiz().startFade(H::FADE_OUT, H::GAMESTATE_MAIN_MENU);
    EXPECT_EQ(quiz().sounds, std::vector<int32_t>{H::RESID_TRANSITION_SHOOSH});
    EXPECT_EQ(quiz().stateRequests, std::vector<int32_t>(2, H::GAMESTATE_MAIN_MENU | H::GAMESTATEFLAG_LOADING));
}

TEST_F(Fades, EachStepLastsFourUpdatesAndTheFadeEndsAfterTheLast) {
    quiz().segment_wipe->data[5] = 99;
    quiz().startFade(H::FADE_IN, H::GAMESTATE_MAIN_MENU);
    EXPECT_EQ(quiz().segment_wipe->data[5], 0);
    std::vector<int32_t> steps;
    while (quiz().fading && steps.size() < 100) {
        steps.push_back(quiz().fade_step);
        quiz().fadeTick();
    }
    EXPECT_EQ(steps, (std::vector<int32_t>{0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}));
}

TEST_F(Fades, StatesWithoutASequenceLeaveAFinishedFadeOffAndSilent) {
    quiz().first_menu_load = false;
    // The question screen's sequence is empty here: an end it could never reach means no fade.
    for (int32_t state : {H::GAMESTATE_CHOOSE_CATEGORY, H::GAMESTATE_GAME_RUNNING}) {
        quiz().startFade(H::FADE_IN, state);
        EXPECT_FALSE(quiz().fading) << state;
        EXPECT_EQ(quiz().stateRequests.back(), state | H::GAMESTATEFLAG_LOADING);
    }
    EXPECT_TRUE(quiz().sounds.empty());
}

class Twinkles : public ::testing::Test {
protected:
    void SetUp() override {
        H::particles = java::lang::jnew<JArray<int32_t>>(128);
        H::PARAM_WL_BASE_SCREEN_WIDTH = 320;
        H::PARAM_WL_BASE_SCREEN_HEIGHT = 480;
        H::random_seed = 12345;
        H::tilt_roll = 0;
        H::tilt_pitch = 0;
    }
    void TearDown() override { H::particles = nullptr; }
    static int32_t& word(int32_t slot, int32_t index) { return H::particles->data[slot * 8 + index]; }
    static bool alive(int32_t slot) { return (word(slot, H::pt_flags) & H::pt_alive) != 0; }
    static double speed(int32_t slot) { return std::hypot(word(slot, H::pt_vx), word(slot, H::pt_vy)) / 65536.0; }
};

TEST_F(Twinkles, BurstIntoAFullPoolRetiresTheOldestFirst) {
    H::particle_shower(100, 100, H::TWINKLE_WHITE, 16);
    for (int32_t slot = 0; slot < 16; ++slot) word(slot, H::pt_flags) = H::pt_alive | (slot * 7 % 16);
    H::particle_shower(160, 240, H::TWINKLE_GREEN, 8);
    EXPECT_EQ(H::count_particles(), 16);
    for (int32_t slot = 0; slot < 16; ++slot) {
        const bool wasOldHalf = slot * 7 % 16 >= 8;
        EXPECT_EQ(word(slot, H::pt_frame_colour) >> 16, wasOldHalf ? H::TWINKLE_GREEN : H::TWINKLE_WHITE) << slot;
        if (wasOldHalf) {
            EXPECT_EQ(word(slot, H::pt_x), 160 << 16);
            EXPECT_NEAR(speed(slot), 4.75, 0.35) << slot;
        }
    }
}

TEST_F(Twinkles, AgeingMovesAnimatesAndEndsTwinkles) {
    H::reset_particles();
    H::particle_shower(100, 100, H::TWINKLE_YELLOW, 3);
    word(1, H::pt_flags) = H::pt_alive | 1200;  // at the end of its life
    word(2, H::pt_y) = -150 << 16;
    word(2, H::pt_vy) = -60 << 16;  // leaves by more than 200 px above the top
    const int32_t frame = word(0, H::pt_frame_colour) & 3;
    const int32_t x = word(0, H::pt_x), vx = word(0, H::pt_vx);
    H::tick_particles();
    EXPECT_TRUE(alive(0));
    EXPECT_FALSE(alive(1));
    EXPECT_FALSE(alive(2));
    EXPECT_EQ(word(0, H::pt_flags) & H::pt_age_mask, 1);
    EXPECT_EQ(word(0, H::pt_frame_colour) & 3, (frame + 1) & 3);
    EXPECT_EQ(word(0, H::pt_x), x + vx);
    H::reset_particles();
    EXPECT_EQ(H::count_particles(), 0);
}

TEST_F(Twinkles, BirthPullHalvesAwayAndTiltSteersTheDrift) {
    struct Case {
        int32_t roll, pitch;
        std::vector<int32_t> ax, ay;
    } const cases[] = {
        {0, 0, {0, 0, 0}, {0x4000, 0x2000, 0x1000}},
        {100, -50, {1000, 1500, 1750}, {(0x8000 + 1000) >> 1, (((0x8000 + 1000) >> 1) + 1000) >> 1,
                                         (((((0x8000 + 1000) >> 1) + 1000) >> 1) + 1000) >> 1}},
    };
    for (const Case& c : cases) {
        H::reset_particles();
        H::tilt_roll = c.roll;
        H::tilt_pitch = c.pitch;
        H::particle_shower(160, 240, H::TWINKLE_BLUE, 1);
        EXPECT_EQ(word(0, H::pt_ay), 0x8000);
        for (size_t i = 0; i < c.ax.size(); ++i) {
            const int32_t vy = word(0, H::pt_vy), ay = word(0, H::pt_ay);
            H::tick_particles();
            EXPECT_EQ(word(0, H::pt_vy), vy + ay) << "acceleration acts before it changes";
            EXPECT_EQ(word(0, H::pt_ax), c.ax[i]) << c.roll << " tick " << i;
            EXPECT_EQ(word(0, H::pt_ay), c.ay[i]) << c.pitch << " tick " << i;
        }
    }
}

}  // namespace
