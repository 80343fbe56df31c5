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
        {3, false, 0, {"answer_click"}},
        {3, false, 2, {"answer_click"}},
        {0, false, 0, {"answer_ghosted"}},
        {0, false, 1, {"answer_ghosted", "answer_click"}},
        {5, true, 0, {"answer_ghosted"}},
    };
    for (const auto& c : cases) {
        canvas->rank = c.rank;
        canvas->test_finished = c.finished;
        canvas->finger_down = c.touched >= 0;
        if (c.touched >= 0) fingerAt(160, 97 + 70 * c.touched + 10);
        canvas->log.clear();
        canvas->drawMenu(g);
        EXPECT_EQ(namesOf(canvas->drawn("answer_")), c.expected) << "rank " << c.rank << " touching " << c.touched;
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
    auto star = [&](int32_t i) { return "star" + std::to_string(i) + "@" + std::to_string(x + i * step) + "," + std::to_string(y); };
    for (const auto& s : {Stars{6, "Level 7/30", {}}, Stars{7, "Level 8/30", {star(0)}},
                          Stars{15, "Level 16/30", {star(0), star(1)}}, Stars{23, "Level 24/30", {star(0), star(1), star(2)}},
                          Stars{29, "Level 30/30", {star(0), star(1), star(2)}},
                          Stars{30, "Level 30/30", {star(0), star(1), star(2)}}}) {
        canvas->rank = s.rank;
        show(HookCanvas::GAMESTATE_STATS);
        EXPECT_EQ(canvas->drawn("star"), s.stars) << "rank " << s.rank;
        EXPECT_STREQ(canvas->statsValue(6)->val(), s.level) << "a completed test still reads as the last level";
        EXPECT_EQ(canvas->drawn("stats_overlay").size(), 8u);
    }
}

TEST_P(ScreenDrawingTest, LevelPanelsShowTheNewLevelsBadgeAndItsBigStar) {
    struct Case {
        int32_t state, rank;
        const char* badge;
        Log bigStar;
    };
    for (const auto& c : {Case{HookCanvas::GAMESTATE_PROMOTED, 7, "badge7", {"bigstar0"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 15, "badge15", {"bigstar1"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 16, "badge16", {}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 23, "badge23", {"bigstar2"}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 29, "badge28", {}},
                          Case{HookCanvas::GAMESTATE_PROMOTED, 30, "badge28", {}},
                          Case{HookCanvas::GAMESTATE_DEMOTED, 7, "badge7", {}},
                          Case{HookCanvas::GAMESTATE_DEMOTED, -1, "badge0", {}}}) {
        canvas->rank = c.rank;
        show(c.state);
        const bool promoted = c.state == HookCanvas::GAMESTATE_PROMOTED;
        EXPECT_EQ(namesOf(canvas->drawn("badge")), Log{c.badge}) << "rank " << c.rank;
        EXPECT_EQ(canvas->drawn("badge")[0].substr(canvas->drawn("badge")[0].find('@')),
                  "@" + std::to_string(p(120)) + "," + std::to_string(p(promoted ? 170 : 425)));
        EXPECT_EQ(namesOf(canvas->drawn("bigstar")), c.bigStar) << "rank " << c.rank;
    }
    canvas->button_flash = 3;
    show(HookCanvas::GAMESTATE_PROMOTED);
    EXPECT_TRUE(canvas->drawn("rank_button").empty()) << "the button waits for the flash to end";
}

TEST_P(ScreenDrawingTest, HighlightsShowExactlyOverTheZonesThatAct) {
    struct Case {
        int32_t state;
        int32_t x, y;
        const char* highlight;
        bool shown;
    };
    for (const auto& c : {Case{HookCanvas::GAMESTATE_MAIN_MENU, 80, 470, "about_icon_click", true},
                          Case{HookCanvas::GAMESTATE_MAIN_MENU, 40, 476, "about_icon_click", false},
                          Case{HookCanvas::GAMESTATE_COMPLETE, 255, 407, "menu_click", true},
                          Case{HookCanvas::GAMESTATE_COMPLETE, 243, 397, "menu_click", false},
                          Case{HookCanvas::GAMESTATE_ABOUT, 255, 407, "button4", true},
                          Case{HookCanvas::GAMESTATE_STATS, 243, 397, "button4", false}}) {
        canvas->setupMenu(HookCanvas::GAMESTATE_MAIN_MENU);
        fingerAt(c.x, c.y);
        show(c.state);
        EXPECT_EQ(canvas->drawn(std::string(c.highlight) + "@").size(), c.shown ? 1u : 0u)
            << c.highlight << " at " << c.x << "," << c.y;
        EXPECT_EQ(c.state == HookCanvas::GAMESTATE_MAIN_MENU ? canvas->pointerOverAboutArea() : canvas->pointerOverMenuButton(),
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
        const Log dots = canvas->drawn("dot@");
        EXPECT_EQ(dots.size(), c.dots) << c.ms << " ms";
        if (c.dots == 12) EXPECT_EQ(dots[0], at("dot", 46, 117)) << "the first dot is just right of twelve";
        if (c.dots == 1) EXPECT_EQ(dots[0], at("dot", 34, 114)) << "the last is just left of twelve";
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
             Case{run, -1, 5000, -1, -1, 0, {"answer_normal", "answer_normal", "answer_normal"}},
             Case{run, -1, 5000, 1, -1, 0, {"answer_normal", "answer_click", "answer_normal"}},
             Case{run, -1, 0, 1, -1, 0, {"answer_wrong", "answer_wrong", "answer_wrong"}},
             Case{run, 1, 5000, -1, -1, 0, {"answer_correct", "answer_wrong", "answer_normal"}},
             Case{run, 0, 5000, -1, -1, 0, {"answer_correct", "answer_normal", "answer_normal"}},
             Case{run, -1, 5000, 2, 2, 0, {"answer_normal", "answer_normal", "answer_ghosted"}},
             Case{run, -1, 5000, -1, -1, 6, {"answer_click", "answer_normal", "answer_normal"}},
             Case{run, -1, 5000, -1, -1, 4, {"answer_normal", "answer_click", "answer_normal"}},
             Case{HookCanvas::GAMESTATE_INFOLINK, 1, 5000, 1, -1, 0, {"answer_normal", "answer_normal", "answer_normal"}},
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
        EXPECT_EQ(namesOf(canvas->drawn("answer_")), c.looks)
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
        const Log boxes = canvas->drawn("game1@");
        if (!c.sliding) {
            EXPECT_EQ(boxes, Log{at("game1", 81, 0)});
            EXPECT_TRUE(canvas->drawn("text 'The old").empty());
            continue;
        }
        const int32_t offset = (c.right ? 1 : -1) * c.delay * (width / 20);
        const int32_t rest = (c.right ? 1 : -1) * (width - c.delay * (width / 20));
        EXPECT_EQ(boxes, (Log{"game1@" + std::to_string(box + offset) + ",0", "game1@" + std::to_string(box - rest) + ",0"}))
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
    const Log rows = canvas->drawn("wide");
    ASSERT_EQ(rows.size(), 6u);
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(rows[i], std::string(i == 2 || i == 4 ? "wide_click" : "wide") + "@" + std::to_string(p(10)) + "," +
                               std::to_string(p(10) - p(20) + (h + 5) * i));
    EXPECT_EQ(namesOf(canvas->drawn("boxes")), (Log{"boxes0", "boxes1", "boxes2", "boxes3", "boxes0", "boxes0"}));
    EXPECT_TRUE(canvas->list_selection_drawn);
    EXPECT_FALSE(canvas->list_back_pressed) << "the category list's back is not shown pressed without the finger";

    HookCanvas::practicedDBs = jnew<JArray<JArray<bool>>>(1);
    HookCanvas::practicedDBs->data[0] = jnew<JArray<bool>>(6);
    HookCanvas::practicedDBs->data[0]->data[1] = true;
    HookCanvas::want_category_to_be = 0;
    canvas->list_back_hover = true;
    show(HookCanvas::GAMESTATE_CHOOSE_SUBSECTION);
    EXPECT_EQ(namesOf(canvas->drawn("box_")), (Log{"box_off", "box_on", "box_off", "box_off", "box_off", "box_off"}));
    EXPECT_EQ(canvas->drawn("box_")[1], "box_on@" + std::to_string(p(286)) + "," + std::to_string(p(10) - p(20) + h + 5 + p(5)));
    EXPECT_EQ(canvas->drawn("back_on"), Log{at("back_on", 241, 395)});
    EXPECT_TRUE(canvas->list_back_pressed);
    // Two lines centred on the row's middle: the first half a line above it.
    const Log texts = canvas->drawn("text 'Row'");
    const int32_t font = canvas->getFontHeight(canvas->main_font);
    EXPECT_EQ(texts[0], "text 'Row'@" + std::to_string(p(18)) + "," +
                            std::to_string((h >> 1) - p(20) - (font >> 1) + p(10)));
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
