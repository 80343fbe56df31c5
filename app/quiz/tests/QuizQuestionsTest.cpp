// Question picks, the answer shuffle, scoring, hints and skips, the timer and the test's levels,
// through the question screen's updates and taps.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "app/quiz/tests/QuizCanvas.h"
#include "runtime/io/IOException.h"
#include "runtime/io/tests/TestDirectories.h"
#include "tools/writers/QuestionDatabaseFile.h"

namespace {

using H = HookCanvas;

std::vector<uint8_t> databaseOf(int32_t count) {
    writers::QuestionDatabaseFile file;
    for (int32_t i = 0; i < count; ++i)
        file.records.push_back({"question " + std::to_string(i),
                                {"right " + std::to_string(i), "second " + std::to_string(i), "third " + std::to_string(i)},
                                "about " + std::to_string(i)});
    return file.bytes();
}

class QuizQuestions : public TestDirectories {
protected:
    void SetUp() override {
        TestDirectories::SetUp();
        world.emplace(documents);
        world->startTest(false);
    }
    QuizCanvas& quiz() { return *world->canvas; }
    void practise(int32_t category, int32_t subsection, int32_t count) {
        quiz().files["cdb" + std::to_string(category) + "_" + std::to_string(subsection) + ".dat"] = databaseOf(count);
        H::want_category_to_be = category;
        H::want_subsection_to_be = subsection;
        H::want_practice_mode = true;
        quiz().resetGame(false);
        quiz().getQuestion(true);
    }
    void TearDown() override {
        world.reset();
        TestDirectories::TearDown();
    }
    std::optional<QuizWorld> world;
};

TEST_F(QuizQuestions, TestPicksNeverRepeatWithinTheRingAndFinishOnSmallDatabases) {
    // 575 is the generated test; smaller databases must still find a question on every pick.
    for (int32_t count : {575, 144, 143, 5, 2, 1}) {
        SCOPED_TRACE(count);
        if (count != 575) H::shuffle_db_preloaded = javaBytes(databaseOf(count));
        H::want_category_to_be = 0;  // forces a reload of the test database
        quiz().getQuestion(true);
        H::want_category_to_be = H::PARAM_NUMBER_OF_CATEGORIES;
        std::vector<int32_t> picks;
        for (int32_t i = 0; i < 400; ++i) {
            quiz().criticQuestionPlease(0);
            picks.push_back(H::film_id);
        }
        const size_t window = std::min<size_t>(143, static_cast<size_t>(count) - 1);
        for (size_t i = 0; i < picks.size(); ++i)
            for (size_t back = 1; back <= window && back <= i; ++back)
                ASSERT_NE(picks[i], picks[i - back]) << "pick " << i << " repeats pick " << i - back;
    }
}

TEST_F(QuizQuestions, AResumedQuestionAnsweredOrSkippedIsNotAskedAgainAtOnce) {
    // Of two questions the ring keeps the last one asked from coming straight back. Each is resumed
    // in turn with the clock set alike, so that a pick blind to the resumed one draws it in one row.
    H::shuffle_db_preloaded = javaBytes(databaseOf(2));
    for (const bool skipped : {false, true})
        for (const int32_t resumed : {0, 1}) {
            SCOPED_TRACE(std::string(skipped ? "skipped " : "answered ") + std::to_string(resumed));
            quizWallNow = 1000;
            quiz().database_loaded = false;
            quiz().skips = 1;
            quiz().getQuestion(true);
            quiz().saved_film_id = resumed;
            // As after a restart: the record's question on screen, no database loaded yet.
            quiz().database_loaded = false;
            quiz().getQuestion(false);
            ASSERT_EQ(H::film_id, resumed);
            if (skipped) quiz().tapButton(H::BUTTON_SKIP);
            else quiz().answer(false);
            quiz().untilWaiting();
            EXPECT_NE(H::film_id, resumed);
        }
}

TEST_F(QuizQuestions, PracticeAsksInFileOrderAndRepeatsAQuestionThatTimedOut) {
    practise(3, 1, 4);
    quiz().settings->data[4] = true;  // timer on
    std::vector<std::string> asked{quiz().question_record->data[0]->val()};
    quiz().answer(true);
    quiz().untilWaiting();
    asked.push_back(quiz().question_record->data[0]->val());
    for (int32_t i = 0; i < 400 && quiz().question_timer_ms > 0; ++i) quiz().updateQuestionScreen();
    quiz().untilWaiting();
    asked.push_back(quiz().question_record->data[0]->val());
    quiz().answer(false);
    quiz().untilWaiting();
    asked.push_back(quiz().question_record->data[0]->val());
    EXPECT_EQ(asked, (std::vector<std::string>{"question 0", "question 1", "question 1", "question 2"}));
    EXPECT_EQ(quiz().practice_wrong_total, 2);
}

TEST_F(QuizQuestions, ShuffleMovesTheRightAnswerToItsSlot) {
    practise(2, 0, 3);
    std::set<int32_t> seen;
    for (int32_t attempt = 0; attempt < 60 && seen.size() < 3; ++attempt) {
        quiz().answered_in_run = 1;
        quiz().getQuestion(true);
        const int32_t c = quiz().correct_answer;
        seen.insert(c);
        const auto& record = *quiz().question_record;
        // c = 1 leaves the order alone; 2 and 3 swap the right answer with the one in that slot.
        std::vector<std::string> expected{"right 1", "second 1", "third 1"};
        std::swap(expected[0], expected[c - 1]);
        EXPECT_EQ((std::vector<std::string>{record.data[1]->val(), record.data[2]->val(), record.data[3]->val()}),
                  expected);
    }
    EXPECT_EQ(seen, (std::set<int32_t>{1, 2, 3}));
}

TEST_F(QuizQuestions, RankingPromotesDemotesHoldsAndCompletes) {
    struct Case {
        int32_t rank, right, attempted, threshold, expected;
    } const cases[] = {
        {5, 2, 6, 3, 4},    // 33 % of six: down a level
        {5, 3, 6, 3, 5},    // 50 %: holds, at the threshold without passing it
        {5, 0, 5, 3, 5},    // five answers never demote
        {5, 4, 6, 3, 6},    // above the threshold: up
        {0, 0, 9, 3, 0},    // the floor
        {29, 4, 4, 3, 30},  // past the last level: complete
        {30, 9, 9, 3, 30},  // complete stays complete
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rank) + " " + std::to_string(c.right) + "/" + std::to_string(c.attempted));
        for (int32_t r = 0; r < H::levelThresholds->length; ++r) H::levelThresholds->data[r] = c.threshold;
        quiz().rank = c.rank;
        quiz().level_right = c.right;
        quiz().level_attempted = c.attempted;
        EXPECT_EQ(quiz().getRanking(), c.expected);
    }
}

TEST_F(QuizQuestions, RankChangesShowTheirScreenAndRestartTheLevel) {
    struct Case {
        int32_t rank;
        std::vector<bool> answers;
        int32_t state, sound, newRank;
    } const cases[] = {
        {3, {true, true, true, true}, H::GAMESTATE_PROMOTED, H::RESID_PROMOTED, 4},
        {3, {false, false, false, false, true, true}, H::GAMESTATE_DEMOTED, H::RESID_DEMOTED, 2},
        {29, {true, true, true, true}, H::GAMESTATE_COMPLETE, H::RESID_GAME_OVER_WIN, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        quiz().rank = c.rank;
        quiz().level_right = quiz().level_attempted = 0;
        quiz().stateRequests.clear();
        for (bool right : c.answers) {
            ASSERT_TRUE(quiz().stateRequests.empty());
            quiz().answer(right);
            quiz().untilWaiting();
            if (!quiz().stateRequests.empty()) break;
        }
        ASSERT_EQ(quiz().stateRequests, std::vector<int32_t>{c.state | H::GAMESTATEFLAG_LOADING});
        EXPECT_TRUE(quiz().played(c.sound));
        EXPECT_EQ(quiz().rank, c.newRank);
        EXPECT_EQ(quiz().level_right + quiz().level_attempted, 0);
        quiz().getQuestion(true);  // as the panel's continue button does
    }
}

TEST_F(QuizQuestions, StreaksEarnHintsAndSkipsUpToNine) {
    H::levelThresholds->data[0] = 1000;
    quiz().hints = quiz().skips = 0;
    struct Award {
        int32_t streak, hints, skips;
        bool bonusSound;
    };
    std::vector<Award> seen;
    for (int32_t answer = 1; answer <= 60; ++answer) {
        quiz().sounds.clear();
        quiz().answer(true);
        seen.push_back({quiz().streak, quiz().hints, quiz().skips, quiz().played(H::RESID_CORRECT_PLUS_HINT_OR_SKIP)});
        quiz().untilWaiting();
    }
    const Award expected[] = {{3, 1, 0, true}, {5, 1, 1, true}, {14, 4, 2, false}, {15, 5, 3, true},
                              {27, 9, 5, true}, {30, 9, 6, true}, {45, 9, 9, true}, {48, 9, 9, false},
                              {50, 9, 9, false}};
    for (const Award& e : expected) {
        SCOPED_TRACE(e.streak);
        const Award& got = seen[e.streak - 1];
        EXPECT_EQ(got.hints, e.hints);
        EXPECT_EQ(got.skips, e.skips);
        EXPECT_EQ(got.bonusSound, e.bonusSound);
    }
    quiz().answer(false);
    EXPECT_EQ(quiz().streak, 0);
}

TEST_F(QuizQuestions, HintGhostsOneWrongAnswerOnceAndTheSavedCopyShowsIt) {
    quiz().hints = 2;
    quiz().tapButton(H::BUTTON_HINT);
    quiz().tapButton(H::BUTTON_HINT);
    EXPECT_EQ(quiz().hints, 1);
    int32_t ghosted = 0;
    for (int32_t i = 0; i < 3; ++i) ghosted += quiz().ghosted_answers->data[i] ? 1 : 0;
    EXPECT_EQ(ghosted, 1);
    EXPECT_FALSE(quiz().ghosted_answers->data[quiz().correct_answer - 1]);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(quiz().saved_ghosted_answers->data[i], quiz().ghosted_answers->data[i]);
    // A tap on the ghosted answer counts nothing.
    for (int32_t i = 0; i < 3; ++i)
        if (quiz().ghosted_answers->data[i]) quiz().tapAnswer(i);
    EXPECT_EQ(quiz().test_wrong_total + quiz().test_right_total, 0);
    EXPECT_EQ(quiz().question_delay, 0);
}

TEST_F(QuizQuestions, TimerRunsOutAsAWrongAnswerWithAWarningFirst) {
    quiz().settings->data[4] = true;
    quiz().level_right = 2;
    int32_t updates = 0;
    while (quiz().question_delay == 0 && updates < 1000) {
        quiz().updateQuestionScreen();
        ++updates;
    }
    EXPECT_EQ(updates, (10000 + 32) / 33);
    EXPECT_TRUE(quiz().played(H::RESID_SOUND_ALMOST_OUT_OF_TIME));
    EXPECT_TRUE(quiz().played(H::RESID_INCORRECT));
    EXPECT_EQ(quiz().question_timer_ms, 0);
    EXPECT_EQ(quiz().level_right, 1);
    EXPECT_EQ(quiz().level_attempted, 1);
    EXPECT_EQ(quiz().test_wrong_total, 1);
    EXPECT_EQ(quiz().answered_in_run, 0);
}

TEST_F(QuizQuestions, PracticeLeavesTheTestsLevelAsItStood) {
    quiz().answer(true);
    quiz().untilWaiting();
    quiz().answer(false);
    quiz().untilWaiting();
    quiz().answer(true);
    quiz().untilWaiting();
    const int32_t right = quiz().level_right, attempted = quiz().level_attempted, rank = quiz().rank;
    practise(4, 0, 2);
    quiz().answer(true);
    quiz().untilWaiting();
    quiz().answer(true);
    quiz().untilWaiting();
    EXPECT_TRUE(H::practicedDBs->data[4]->data[0]);
    EXPECT_EQ(quiz().stateRequests, std::vector<int32_t>{H::GAMESTATE_COMPLETE | H::GAMESTATEFLAG_LOADING});
    EXPECT_EQ(quiz().practice_right_total, 2);
    EXPECT_EQ(quiz().level_right, right);
    EXPECT_EQ(quiz().level_attempted, attempted);
    EXPECT_EQ(quiz().rank, rank);
}

TEST_F(QuizQuestions, AnEmptyDatabaseIsRefusedAndLeavesTheQuestionShown) {
    const auto shown = quiz().question_record;
    H::shuffle_db_preloaded = javaBytes(databaseOf(0));
    H::want_category_to_be = 0;
    EXPECT_THROW(quiz().getQuestion(true), java::io::IOException);
    EXPECT_EQ(quiz().question_record, shown);
}

}  // namespace
