// What each screen draws, read from the canvas's own log of images and texts at both scales: the
// segment wipes, the menus' buttons, statistics and stars, the level panels, the question screen's
// timer, answers and sliding box, and the practice lists.
#include <gtest/gtest.h>

#include "app/quiz/tests/ScreenCanvas.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"

namespace {

using java::lang::jnew;
using Log = std::vector<std::string>;

// The names in a log without their positions.
Log namesOf(const Log& entries) {
    Log out;
    for (const auto& entry : entries) out.push_back(entry.substr(0, entry.find('@')));
    return out;
}

class ScreenDrawingTest : public ScreenFixture {
protected:
    void question() {
        canvas->question_lines = lines({"Which word means", "a small open boat?"});
        canvas->answer_lines = jnew<JArray<JArray<java::lang::String>>>(3);
        canvas->answer_lines->data[0] = lines({"dinghy"});
        canvas->answer_lines->data[1] = lines({"galleon"});
        canvas->answer_lines->data[2] = lines({"ferry", "boat"});
        canvas->ghosted_answers = jnew<JArray<bool>>(3);
        canvas->correct_answer = 1;
        canvas->chosen_answer = -1;
        canvas->question_timer_ms = 6000;
    }
};

TEST_P(ScreenDrawingTest, ASegmentWipesInFromTheLeftOverEightFramesThenDrawsUnclipped) {
    lcduitest::EventLog events;
    JavaPtr<javax::microedition::lcdui::Graphics> recording(new lcduitest::RecordingGraphics(events));
    canvas->segment_wipe->data[1] = 0;
    const int32_t width = canvas->getImageDimension(canvas->menu_segments->data[1], 0, 0, 0);
    const int32_t height = canvas->getImageDimension(canvas->menu_segments->data[1], 0, 0, 1);
    for (int32_t frame = 0; frame < 9; ++frame) {
        ASSERT_TRUE(canvas->drawFadingSegment(recording, canvas->menu_segments, 1, 0, p(17), true));
        const Log clips = [&] {
            Log out;
            for (const auto& e : events.take())
                if (e.rfind("setClip", 0) == 0) out.push_back(e);
            return out;
        }();
        if (frame == 8) {
            EXPECT_TRUE(clips.empty()) << "a segment wiped in whole leaves the clip alone";
            break;
        }
        ASSERT_EQ(clips.size(), 2u) << "frame " << frame;
        EXPECT_EQ(clips[0], "setClip 0," + std::to_string(p(17)) + "," + std::to_string(frame * 32 * width >> 8) + "," +
                                std::to_string(height));
        EXPECT_EQ(clips[1], "setClip 0,0," + std::to_string(p(320)) + "," + std::to_string(p(480)));
    }

    canvas->fading = true;
    canvas->fade_mask = jnew<JArray<signed char>>(2);
    canvas->fade_mask->data[0] = 0b01;
    canvas->fade_mask->data[1] = 0b11;
    canvas->segment_wipe->data[1] = 64;
    EXPECT_FALSE(canvas->drawFadingSegment(recording, canvas->menu_segments, 1, 0, 0, true));
    EXPECT_EQ(canvas->segment_wipe->data[1], 64) << "a hidden segment does not advance its wipe";
    canvas->fade_step = 1;
    EXPECT_TRUE(canvas->drawFadingSegment(recording, canvas->menu_segments, 1, 0, 0, true));
}

TEST_P(ScreenDrawingTest, MenuButtonsHighlightWhileTouchedAndContinueIsGhostedWithoutATest) {
    canvas->setupMenu(HookCanvas::GAMESTATE_MAIN_MENU);
    ASSERT_EQ(canvas->menu_button_y->length, 4);
    const int32_t w = canvas->answer_button_width;
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(canvas->menu_button_y->data[i], p(97) + i * p(70));
        EXPECT_NEAR(canvas->menu_button_x->data[i] + w / 2, p(160), 1) << "buttons sit on the centre line";
    }
    struct Case {
        int32_t rank;
        bool finished;
        int32_t touched;  // -1: the finger is up
        Log expected;
    };
    const Case cases[] = {
        {3, false, -1, {}},
        {3, false, 0, {"ANSWER_BUTTON_CLICK"}},
        {3, false, 2, {"ANSWER_BUTTON_CLICK"}},
        {0, false, 0, {"ANSWER_BUTTON_GHOSTED"}},
        {0, false, 1, {"ANSWER_BUTTON_GHOSTED", "ANSWER_BUTTON_CLICK"}},
        {5, true, 0, {"ANSWER_BUTTON_GHOSTED"}},
    };
    for (const auto& c : cases) {
        canvas->rank = c.rank;
        canvas->test_finished = c.finished;
        canvas->finger_down = c.touched >= 0;
        if (c.touched >= 0) fingerAt(160, 97 + 70 * c.touched + 10);
        canvas->log.clear();
        canvas->drawMenu(g);
        EXPECT_EQ(namesOf(canvas->drawn("ANSWER_BUTTON_")), c.expected)
            << "rank " << c.rank << " touching " << c.touched;
        const Log labels = canvas->drawn("text");
        ASSERT_EQ(labels.size(), 4u);
        EXPECT_EQ(labels[3].substr(0, labels[3].find('@')), "text 'Scores & Statistics'");
        EXPECT_EQ(labels[3].substr(labels[3].find('@') + 1, labels[3].find(',') - labels[3].find('@') - 1),
                  std::to_string(p(160)));
    }
    canvas->setupMenu(HookCanvas::GAMESTATE_CONFIRM);
    EXPECT_EQ(canvas->menu_button_y->data[1], p(237) + p(70));
    canvas->setupMenu(HookCanvas::GAMESTATE_ABOUT);
    EXPECT_EQ(canvas->menu_button_labels->length, 0);
}

TEST_P(ScreenDrawingTest, StatisticsShowTotalsPercentagesAndStarsByLevel) {
    struct Values {
        int32_t right, wrong;
        const char* total;
        const char* attempted;
        const char* percent;
    };
    for (const auto& v : {Values{3, 1, "3", "4", "75%"}, Values{0, 5, "0", "5", "0%"}, Values{0, 0, "0", "0", "0%"},
                          Values{2, 1, "2", "3", "66%"}}) {
        canvas->practice_right_total = v.right;
        canvas->practice_wrong_total = v.wrong;
        canvas->test_right_total = v.right;
        canvas->test_wrong_total = v.wrong;
        for (int32_t row : {0, 3}) EXPECT_STREQ(canvas->statsValue(row)->val(), v.total);
        for (int32_t row : {1, 4}) EXPECT_STREQ(canvas->statsValue(row)->val(), v.attempted);
        for (int32_t row : {2, 5}) EXPECT_STREQ(canvas->statsValue(row)->val(), v.percent);
    }
    struct Stars {
        int32_t rank;
        const char* level;
        Log stars;
    };
    const int32_t x = p(139), y = p(454), step = HookCanvas::little_starwidth;
    auto star = [&](int32_t i) {
        const char* metals[] = {"BRONZE", "SILVER", "GOLD"};
        return std::string("STATS_STAR_") + metals[i] + "@" + std::to_string(x + i * step) + "," + std::to_string(y);
    };
    for (const auto& s :
         {Stars{6, "Level 7/30", {}}, Stars{7, "Level 8/30", {star(0)}}, Stars{15, "Level 16/30", {star(0), star(1)}},
          Stars{23, "Level 24/30", {star(0), star(1), star(2)}}, Stars{29, "Level 30/30", {star(0), star(1), star(2)}},
          Stars{30, "Level 30/30", {star(0), star(1), star(2)}}}) {
        canvas->rank = s.rank;
        show(HookCanvas::GAMESTATE_STATS);
        EXPECT_EQ(canvas->drawn("STATS_STAR_"), s.stars) << "rank " << s.rank;
        EXPECT_STREQ(canvas->statsValue(6)->val(), s.level) << "a completed test still reads as the last level";
        EXPECT_EQ(canvas->drawn("STATS_BOX_OVERLAY").size(), 8u);
    }
}

TEST_P(ScreenDrawingTest, LevelPanelsShowTheNewLevelsBadgeAndItsBigStar) {
    struct Case {
        int32_t state, rank;
        const char* badge;
        Log bigStar;
    };
    for (const auto& c : {Case{HookCanvas::GAMESTATE_PROMOTED, 7, "RANKING_8", {"BIG_STAR_BRONZE"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 15, "RANKING_16", {"BIG_STAR_SILVER"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 16, "RANKING_17", {}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 23, "RANKING_24", {"BIG_STAR_GOLD"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 29, "RANKING_29", {}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 30, "RANKING_29", {}},
                          Case{HookCanvas::GAMESTATE_DEMOTED, 7, "RANKING_8", {}},
                          Case{HookCanvas::GAMESTATE_DEMOTED, -1, "RANKING_1", {}}}) {
        canvas->rank = c.rank;
        show(c.state);
        const bool promoted = c.state == HookCanvas::GAMESTATE_PROMOTED;
        EXPECT_EQ(namesOf(canvas->drawn("RANKING_[0-9]")), Log{c.badge}) << "rank " << c.rank;
        EXPECT_EQ(canvas->drawn("RANKING_[0-9]")[0].substr(canvas->drawn("RANKING_[0-9]")[0].find('@')),
                  "@" + std::to_string(p(120)) + "," + std::to_string(p(promoted ? 170 : 425)));
        EXPECT_EQ(namesOf(canvas->drawn("BIG_STAR_")), c.bigStar) << "rank " << c.rank;
    }
    canvas->button_flash = 3;
    show(HookCanvas::GAMESTATE_PROMOTED);
    EXPECT_TRUE(canvas->drawn("RANKING_BUTTON_").empty()) << "the button waits for the flash to end";
}

TEST_P(ScreenDrawingTest, HighlightsShowExactlyOverTheZonesThatAct) {
    struct Case {
        int32_t state;
        int32_t x, y;
        const char* highlight;
        bool shown;
    };
    for (const auto& c : {Case{HookCanvas::GAMESTATE_MAIN_MENU, 80, 470, "ICON_CLICK_ABOUT", true},
                          Case{HookCanvas::GAMESTATE_MAIN_MENU, 40, 476, "ICON_CLICK_ABOUT", false},
                          Case{HookCanvas::GAMESTATE_COMPLETE, 255, 407, "RANKING_BUTTON_MENU_CLICK", true},
                          Case{HookCanvas::GAMESTATE_COMPLETE, 243, 397, "RANKING_BUTTON_MENU_CLICK", false},
                          Case{HookCanvas::GAMESTATE_ABOUT, 255, 407, "BUTTON_MENU_ALT", true},
                          Case{HookCanvas::GAMESTATE_STATS, 243, 397, "BUTTON_MENU_ALT", false}}) {
        canvas->setupMenu(HookCanvas::GAMESTATE_MAIN_MENU);
        fingerAt(c.x, c.y);
        show(c.state);
        EXPECT_EQ(canvas->drawn(std::string(c.highlight) + "@").size(), c.shown ? 1u : 0u)
            << c.highlight << " at " << c.x << "," << c.y;
        EXPECT_EQ(c.state == HookCanvas::GAMESTATE_MAIN_MENU ? canvas->pointerOverAboutArea()
                                                             : canvas->pointerOverMenuButton(),
                  c.shown);
    }
}

TEST_P(ScreenDrawingTest, TimerDotsVanishClockwiseAsTheTenSecondsRunDown) {
    question();
    struct Case {
        int32_t ms;
        bool timerOn;
        size_t dots;
    };
    for (const auto& c : {Case{10000, true, 12}, Case{9000, true, 11}, Case{5000, true, 6}, Case{770, true, 1},
                          Case{769, true, 0}, Case{0, true, 0}, Case{10000, false, 0}}) {
        canvas->question_timer_ms = c.ms;
        canvas->settings->data[4] = c.timerOn;
        show(HookCanvas::GAMESTATE_GAME_RUNNING);
        const Log dots = canvas->drawn("TIMER_DOT@");
        EXPECT_EQ(dots.size(), c.dots) << c.ms << " ms";
        if (c.dots == 12) EXPECT_EQ(dots[0], at("TIMER_DOT", 46, 117)) << "the first dot is just right of twelve";
        if (c.dots == 1) EXPECT_EQ(dots[0], at("TIMER_DOT", 34, 114)) << "the last is just left of twelve";
    }
}

TEST_P(ScreenDrawingTest, AnswersTakeTheirLookFromTheChoiceTheTimerAndTheFinger) {
    question();
    struct Case {
        int32_t state, chosen, timer, touched, ghosted, delay;
        Log looks;
    };
    const int32_t run = HookCanvas::GAMESTATE_GAME_RUNNING;
    for (const auto& c : {
             Case{run, -1, 5000, -1, -1, 0, {"ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL"}},
             Case{run, -1, 5000, 1, -1, 0, {"ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_CLICK", "ANSWER_BUTTON_NORMAL"}},
             Case{run, -1, 0, 1, -1, 0, {"ANSWER_BUTTON_WRONG", "ANSWER_BUTTON_WRONG", "ANSWER_BUTTON_WRONG"}},
             Case{run, 1, 5000, -1, -1, 0, {"ANSWER_BUTTON_CORRECT", "ANSWER_BUTTON_WRONG", "ANSWER_BUTTON_NORMAL"}},
             Case{run, 0, 5000, -1, -1, 0, {"ANSWER_BUTTON_CORRECT", "ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL"}},
             Case{run, -1, 5000, 2, 2, 0, {"ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_GHOSTED"}},
             Case{run, -1, 5000, -1, -1, 6, {"ANSWER_BUTTON_CLICK", "ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL"}},
             Case{run, -1, 5000, -1, -1, 4, {"ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_CLICK", "ANSWER_BUTTON_NORMAL"}},
             Case{HookCanvas::GAMESTATE_INFOLINK,
                  1,
                  5000,
                  1,
                  -1,
                  0,
                  {"ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL", "ANSWER_BUTTON_NORMAL"}},
         }) {
        canvas->chosen_answer = c.chosen;
        canvas->question_timer_ms = c.timer;
        canvas->finger_down = false;
        if (c.touched >= 0) fingerAt(91 + 5, (canvas->answerSlotTop(c.touched) + 5) / (retina() ? 2 : 1));
        for (int32_t a = 0; a < 3; ++a) canvas->ghosted_answers->data[a] = a == c.ghosted;
        canvas->prev_ghosted_answers = canvas->ghosted_answers;
        canvas->prev_answer_lines = canvas->answer_lines;
        canvas->question_slide_in = c.delay > 0;
        canvas->question_delay = c.delay;
        show(c.state);
        EXPECT_EQ(namesOf(canvas->drawn("ANSWER_BUTTON_")), c.looks)
            << "state " << c.state << " chosen " << c.chosen << " timer " << c.timer << " touching " << c.touched;
    }
    EXPECT_EQ(canvas->drawn("text 'ferry'").size(), 1u);
}

TEST_P(ScreenDrawingTest, TheQuestionBoxSlidesTheNewQuestionInFromTheSideOfTheAnswer) {
    question();
    canvas->prev_question_lines = lines({"The old question"});
    const int32_t box = p(81), width = p(239);
    struct Case {
        bool sliding;
        int32_t delay;
        bool right;
    };
    for (const auto& c : {Case{false, 0, true}, Case{true, 20, true}, Case{true, 10, true}, Case{true, 10, false},
                          Case{true, 1, false}}) {
        canvas->question_slide_in = c.sliding;
        canvas->question_delay = c.delay;
        canvas->answered_correctly = c.right;
        show(HookCanvas::GAMESTATE_GAME_RUNNING);
        const Log boxes = canvas->drawn("GAME_BG_1@");
        if (!c.sliding) {
            EXPECT_EQ(boxes, Log{at("GAME_BG_1", 81, 0)});
            EXPECT_TRUE(canvas->drawn("text 'The old").empty());
            continue;
        }
        const int32_t offset = (c.right ? 1 : -1) * c.delay * (width / 20);
        const int32_t rest = (c.right ? 1 : -1) * (width - c.delay * (width / 20));
        EXPECT_EQ(boxes, (Log{"GAME_BG_1@" + std::to_string(box + offset) + ",0",
                              "GAME_BG_1@" + std::to_string(box - rest) + ",0"}))
            << "delay " << c.delay << (c.right ? " right" : " wrong");
        const Log oldText = canvas->drawn("text 'The old question'");
        ASSERT_EQ(oldText.size(), 1u);
        EXPECT_EQ(oldText[0].substr(oldText[0].find('@') + 1, oldText[0].find(',') - oldText[0].find('@') - 1),
                  std::to_string(box - rest + p(11)));
    }
}

TEST_P(ScreenDrawingTest, ListRowsScrollAndShowTheirProgressBoxes) {
    HookCanvas::scroller_category_list = jnew<JArray<JArray<java::lang::String>>>(6);
    for (int32_t i = 0; i < 6; ++i) HookCanvas::scroller_category_list->data[i] = lines({"Row", "two lines"});
    HookCanvas::boxesToShow = jnew<JArray<int32_t>>(6);
    for (int32_t i = 0; i < 4; ++i) HookCanvas::boxesToShow->data[i] = i;
    HookCanvas::scrolly_menu_yoffset = -p(20);
    canvas->list_highlight_item = 2;
    canvas->list_selected_item = 4;
    canvas->list_selection_drawn = false;
    canvas->list_back_pressed = true;
    show(HookCanvas::GAMESTATE_CHOOSE_CATEGORY);
    const int32_t h = HookCanvas::scroller_buttonClickHeight;
    const Log rows = canvas->drawn("WIDE_BUTTON_");
    ASSERT_EQ(rows.size(), 6u);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(rows[i], std::string(i == 2 || i == 4 ? "WIDE_BUTTON_CLICK" : "WIDE_BUTTON_NORMAL") + "@" +
                               std::to_string(p(10)) + "," + std::to_string(p(10) - p(20) + (h + 5) * i));
    EXPECT_EQ(namesOf(canvas->drawn("THREE_BOXES_")), (Log{"THREE_BOXES_0", "THREE_BOXES_1", "THREE_BOXES_2",
                                                           "THREE_BOXES_3", "THREE_BOXES_0", "THREE_BOXES_0"}));
    EXPECT_TRUE(canvas->list_selection_drawn);
    EXPECT_FALSE(canvas->list_back_pressed) << "the category list's back is not shown pressed without the finger";

    HookCanvas::practicedDBs = jnew<JArray<JArray<bool>>>(1);
    HookCanvas::practicedDBs->data[0] = jnew<JArray<bool>>(6);
    HookCanvas::practicedDBs->data[0]->data[1] = true;
    HookCanvas::want_category_to_be = 0;
    canvas->list_back_hover = true;
    show(HookCanvas::GAMESTATE_CHOOSE_SUBSECTION);
    EXPECT_EQ(namesOf(canvas->drawn("ONE_BOX_")),
              (Log{"ONE_BOX_OFF", "ONE_BOX_ON", "ONE_BOX_OFF", "ONE_BOX_OFF", "ONE_BOX_OFF", "ONE_BOX_OFF"}));
    EXPECT_EQ(canvas->drawn("ONE_BOX_")[1],
              "ONE_BOX_ON@" + std::to_string(p(286)) + "," + std::to_string(p(10) - p(20) + h + 5 + p(5)));
    EXPECT_EQ(canvas->drawn("PRACTICE_MENU_BACK_ON"), Log{at("PRACTICE_MENU_BACK_ON", 241, 395)});
    EXPECT_TRUE(canvas->list_back_pressed);
    // Two lines centred on the row's middle: the first half a line above it.
    const Log texts = canvas->drawn("text 'Row'");
    const int32_t font = canvas->getFontHeight(canvas->main_font);
    EXPECT_EQ(texts[0],
              "text 'Row'@" + std::to_string(p(18)) + "," + std::to_string((h >> 1) - p(20) - (font >> 1) + p(10)));
}

TEST_P(ScreenDrawingTest, ProgressBoxesCountPracticedSubsections) {
    struct Case {
        int32_t subsections, practiced, boxes;
    };
    HookCanvas::practicedDBs = jnew<JArray<JArray<bool>>>(1);
    for (const auto& c : {Case{6, 0, 0}, Case{6, 2, 1}, Case{6, 3, 2}, Case{6, 5, 2}, Case{6, 6, 3}, Case{0, 0, 0},
                          Case{1, 1, 3}, Case{3, 1, 2}}) {
        HookCanvas::practicedDBs->data[0] = jnew<JArray<bool>>(c.subsections);
        for (int32_t i = 0; i < c.practiced; ++i) HookCanvas::practicedDBs->data[0]->data[i] = true;
        EXPECT_EQ(canvas->howManyBoxes(0), c.boxes) << c.practiced << " of " << c.subsections;
    }
    EXPECT_EQ(canvas->howManyBoxes(5), 0) << "a category the table lacks shows no boxes";
}

INSTANTIATE_TEST_SUITE_P(BothScales, ScreenDrawingTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "High" : "Low"; });

}  // namespace
