// The saved-progress record: its bytes, its reading back after a restart, records that cannot be
// trusted, and the record-store slots that hold it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "app/quiz/tests/QuizCanvas.h"
#include "runtime/io/tests/TestDirectories.h"
#include "runtime/io/rms/RecordStore.h"

namespace {

using H = HookCanvas;
using Bytes = std::vector<uint8_t>;

// The record's layout written out independently of the code under test.
struct Layout {
    Bytes bytes;
    Layout& u8(int v) { bytes.push_back(static_cast<uint8_t>(v)); return *this; }
    Layout& i32(int32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) u8(static_cast<uint32_t>(v) >> shift & 0xFF);
        return *this;
    }
    Layout& text(const std::string& s) {
        u8(static_cast<int>(s.size() >> 8)).u8(static_cast<int>(s.size() & 0xFF));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Layout& texts(const std::vector<std::string>& all) {
        i32(static_cast<int32_t>(all.size()));
        for (const auto& s : all) text(s);
        return *this;
    }
};

Bytes plain(const JavaPtr<JArray<signed char>>& a) {
    return a ? Bytes(reinterpret_cast<const uint8_t*>(a->data), reinterpret_cast<const uint8_t*>(a->data) + a->length)
             : Bytes{};
}

JavaPtr<JArray<java::lang::String>> strings(const std::vector<std::string>& all) {
    auto a = java::lang::jnew<JArray<java::lang::String>>(static_cast<int32_t>(all.size()));
    for (size_t i = 0; i < all.size(); ++i) a->data[i] = java::lang::jnew<java::lang::String>(all[i].c_str());
    return a;
}

class SavedProgress : public TestDirectories {
protected:
    void SetUp() override {
        TestDirectories::SetUp();
        restart();
    }
    void TearDown() override {
        world.reset();
        TestDirectories::TearDown();
    }
    QuizCanvas& quiz() { return *world->canvas; }
    // A new process: a new canvas with the same documents, its progress read from the store. A small
    // topics shape unless given: category c has c % 3 subsections.
    void restart(int32_t (*subsections)(int32_t) = [](int32_t c) { return c % 3; }) {
        world.reset();
        world.emplace(documents);
        H::subsectionStrings = java::lang::jnew<JArray<JArray<java::lang::String>>>(21);
        H::practicedDBs = java::lang::jnew<JArray<JArray<bool>>>(21);
        for (int32_t c = 0; c < 21; ++c) {
            H::subsectionStrings->data[c] = java::lang::jnew<JArray<java::lang::String>>(subsections(c));
            H::practicedDBs->data[c] = java::lang::jnew<JArray<bool>>(subsections(c));
        }
        quiz().loadSavedData();
    }
    Bytes stored() { return plain(quiz().getRecordStoreData(0)); }
    void store(const Bytes& bytes) { quiz().setRecordStoreData(javaBytes(bytes), 0); }

    // A test in progress with a question on screen that a hint has ghosted.
    void knownProgress() {
        quiz().hints = 3;
        quiz().skips = 2;
        quiz().question_timer_ms = 4567;
        quiz().test_finished = false;
        for (int32_t i = 0; i < 6; ++i) quiz().settings->data[i] = i == 0 || i == 5;
        for (int32_t c = 0; c < 22; ++c) {
            H::category_scores->data[c] = c;
            H::category_questions_asked->data[c] = 63;
            H::category_completed->data[c] = c == 4;
        }
        H::current_category = 21;
        H::current_mode_practice = false;
        H::current_subsection = -1;
        H::practicedDBs->data[2]->data[1] = true;
        quiz().level_right = 2;
        quiz().level_attempted = 5;
        quiz().test_right_total = 40;
        quiz().test_wrong_total = 7;
        quiz().answered_in_run = 47;
        quiz().questions_in_run = 575;
        quiz().rank = 12;
        quiz().practice_right_total = 9;
        quiz().practice_wrong_total = 4;
        quiz().practice_right_run = 1;
        quiz().question_record = strings({"Q?", "b", "a", "c", "info"});
        quiz().question_lines = strings({"Q?"});
        quiz().correct_answer = 2;
        quiz().answer_lines = java::lang::jnew<JArray<JArray<java::lang::String>>>(4);
        for (int32_t i = 0; i < 4; ++i)
            quiz().answer_lines->data[i] = strings({std::string(1, "bacI"[i]), i == 3 ? "more" : "x"});
        quiz().ghosted_answers = java::lang::jnew<JArray<bool>>(4);
        quiz().ghosted_answers->data[2] = true;
        H::film_id = 321;
        quiz().question_answered = false;
    }
    Layout knownLayout(bool withQuestion) {
        Layout l;
        l.u8(11).i32(3).i32(2).i32(4567).u8(0).u8(1).u8(0).u8(0).u8(0).u8(0).u8(1);
        l.i32(22);
        for (int32_t c = 0; c < 22; ++c) l.i32(c);
        l.i32(22);
        for (int32_t c = 0; c < 22; ++c) l.i32(63);
        l.i32(22);
        for (int32_t c = 0; c < 22; ++c) l.u8(c == 4);
        l.i32(21).u8(0).i32(-1);
        l.i32(21);
        for (int32_t c = 0; c < 21; ++c) {
            l.i32(c % 3);
            for (int32_t s = 0; s < c % 3; ++s) l.u8(c == 2 && s == 1);
        }
        for (int32_t v : {2, 5, 40, 7, 47, 575, 12, 9, 4, 1}) l.i32(v);
        if (!withQuestion) return l.u8(0).u8(0);
        l.u8(1).texts({"Q?", "b", "a", "c", "info"}).texts({"Q?"}).i32(2).i32(4);
        l.texts({"b", "x"}).texts({"a", "x"}).texts({"c", "x"}).texts({"I", "more"});
        l.u8(0).u8(0).u8(1).u8(0).i32(321);
        return l.u8(0);
    }

    std::optional<QuizWorld> world;
};

TEST_F(SavedProgress, RecordHoldsTheLayoutByteForByteAndTheTestsQuestionUntilItIsAnswered) {
    knownProgress();
    quiz().saveData();
    EXPECT_EQ(stored(), knownLayout(true).bytes);
    // A practice question answered leaves the test's on record.
    H::current_mode_practice = true;
    quiz().question_record = strings({"practice", "1", "2", "3", "i"});
    quiz().question_answered = true;
    quiz().saveData();
    Bytes expected = knownLayout(true).bytes;
    expected[1 + 4 * 3 + 1 + 6 + (4 + 88) * 2 + 4 + 22 + 4] = 1;  // the practice flag
    EXPECT_EQ(stored(), expected);
    // Once answered in the test, the question is no longer one to resume.
    H::current_mode_practice = false;
    quiz().saveData();
    EXPECT_EQ(stored(), knownLayout(false).bytes);
    EXPECT_EQ(quiz().saved_question_record, nullptr);
}

TEST_F(SavedProgress, RestartRestoresTheRecordAndResumesItsQuestion) {
    knownProgress();
    quiz().saveData();
    restart();
    H::want_category_to_be = 21;
    H::want_practice_mode = false;
    quiz().getQuestion(false);
    EXPECT_STREQ(quiz().question_record->data[2]->val(), "a");
    EXPECT_EQ(quiz().correct_answer, 2);
    EXPECT_TRUE(quiz().ghosted_answers->data[2]);
    EXPECT_TRUE(quiz().hint_used);
    EXPECT_EQ(H::film_id, 321);
    quiz().saveData();
    EXPECT_EQ(stored(), knownLayout(true).bytes);
}

TEST_F(SavedProgress, UntrustworthyRecordsStartFreshAndStayUntilTheNextSave) {
    knownProgress();
    quiz().saveData();
    const Bytes whole = stored();
    const auto withInt = [&](size_t at, int32_t value) {
        Bytes b = whole;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (24 - 8 * i));
        return b;
    };
    const size_t scoresCount = 1 + 4 * 3 + 1 + 6;
    const size_t rowsCount = scoresCount + (4 + 88) * 2 + 4 + 22 + 4 + 1 + 4;
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"format byte only", Bytes(whole.begin(), whole.begin() + 1)},
        {"inside the settings", Bytes(whole.begin(), whole.begin() + 16)},
        {"inside the scores", Bytes(whole.begin(), whole.begin() + 60)},
        {"after the counters", Bytes(whole.begin(), whole.begin() + static_cast<long>(knownLayout(false).bytes.size() - 2))},
        {"inside the question", Bytes(whole.begin(), whole.end() - 30)},
        {"without the film id", Bytes(whole.begin(), whole.end() - 4)},
        {"five category scores", withInt(scoresCount, 5)},
        {"a huge score count", withInt(scoresCount, 0x7FFFFFFF)},
        {"a negative score count", withInt(scoresCount, -3)},
        {"a row count that shifts the rest", withInt(rowsCount, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.bytes);
        restart();
        EXPECT_EQ(quiz().rank, 0);
        EXPECT_TRUE(quiz().test_finished);
        EXPECT_EQ(quiz().hints, 1);
        EXPECT_EQ(quiz().saved_question_record, nullptr);
        EXPECT_EQ(H::category_scores->length, 22);
        EXPECT_EQ(stored(), c.bytes) << "the old record is kept until a save replaces it";
        // The fresh state plays without indexing out of bounds.
        world->startTest(false);
        quiz().answer(true);
        EXPECT_EQ(quiz().test_right_total, 1);
    }
}

TEST_F(SavedProgress, NewTopicsKeepTheTestAndStartAfreshOnlyThePracticeThatNoLongerFits) {
    knownProgress();
    quiz().saveData();
    H::practicedDBs->data[4]->data[0] = true;
    H::current_mode_practice = true;
    H::current_category = 2;
    H::current_subsection = 1;
    quiz().saveData();
    // Category 2 is down to one subsection: its row and the practice run in it start afresh, and
    // so they stay when saved and read again.
    const auto fewer = [](int32_t c) { return c == 2 ? 1 : c % 3; };
    restart(fewer);
    quiz().saveData();
    restart(fewer);
    EXPECT_EQ(quiz().rank, 12);
    EXPECT_EQ(H::category_scores->data[5], 5);
    EXPECT_NE(quiz().saved_question_record, nullptr);
    EXPECT_TRUE(H::practicedDBs->data[4]->data[0]);
    ASSERT_EQ(H::practicedDBs->data[2]->length, 1);
    EXPECT_FALSE(H::practicedDBs->data[2]->data[0]);
    EXPECT_FALSE(H::current_mode_practice);
}

TEST_F(SavedProgress, EveryStateTheQuizSavesLoadsBackAndSavesTheSameBytes) {
    // Played over the generated questions and topics; thresholds of 3 at every level.
    const auto test = [this] { world->startTest(false); };
    const auto practice = [this] {
        world->startTest(false);
        H::want_category_to_be = 0;
        H::want_subsection_to_be = 0;
        H::want_practice_mode = true;
        quiz().resetGame(false);
        quiz().getQuestion(true);
    };
    // Every count at the largest the loader takes, the level's right answers aside.
    const auto atCaps = [](QuizCanvas& q) {
        for (int32_t* count : {&q.level_attempted, &q.test_right_total, &q.test_wrong_total, &q.answered_in_run,
                               &q.practice_right_total, &q.practice_wrong_total, &q.practice_right_run})
            *count = 1'000'000'000;
        for (int32_t c = 0; c < 22; ++c) H::category_scores->data[c] = 1'000'000'000;
    };
    // A right answer past the level's threshold.
    const auto pass = [&](QuizCanvas& q, int32_t rank) { test(); q.rank = rank; q.level_right = 3; q.answer(true); };
    const std::pair<const char*, std::function<void(QuizCanvas&)>> cases[] = {
        {"a first start, nothing loaded yet", [](QuizCanvas& q) { q.loadSavedData(); q.saveData(); }},
        {"a test question on screen", [&](QuizCanvas&) { test(); }},
        {"a hint spent", [&](QuizCanvas& q) { test(); q.hints = 2; q.tapButton(H::BUTTON_HINT); }},
        {"a wrong answer", [&](QuizCanvas& q) { test(); q.answer(false); }},
        {"the pause of a promotion", [&](QuizCanvas& q) { pass(q, 0); }},
        {"the pause of a demotion", [&](QuizCanvas& q) { test(); q.rank = 4; q.level_attempted = 5; q.answer(false); }},
        {"a promotion's panel", [&](QuizCanvas& q) { pass(q, 0); q.untilWaiting(); }},
        {"the pause of the last level", [&](QuizCanvas& q) { pass(q, 29); }},
        {"the end of the test", [&](QuizCanvas& q) { pass(q, 29); q.untilWaiting(); }},
        {"the time run out in one update",
         [&](QuizCanvas& q) { test(); q.settings->data[4] = true; q.question_timer_ms = 30; q.updateQuestionScreen(); }},
        {"a practice answer", [&](QuizCanvas& q) { practice(); q.answer(true); }},
        {"a practice run's end",
         [&](QuizCanvas& q) { practice(); q.answered_in_run = q.questions_in_run - 1; q.answer(false); }},
        {"answers with every count at its cap", [&](QuizCanvas& q) { test(); atCaps(q); q.answer(true); q.untilWaiting(); q.answer(false); }},
        {"the time run out with every count at its cap",
         [&](QuizCanvas& q) { test(); atCaps(q); q.settings->data[4] = true; q.question_timer_ms = 30; q.updateQuestionScreen(); }},
        {"practice answers with every count at its cap",
         [&](QuizCanvas& q) { practice(); atCaps(q); q.answer(true); q.untilWaiting(); q.answer(false); }},
        {"a test resumed after practice",
         [&](QuizCanvas& q) { practice(); H::current_mode_practice = false; q.getQuestion(false); q.saveData(); }},
    };
    for (const auto& [what, play] : cases) {
        SCOPED_TRACE(what);
        world.emplace(documents / what);
        play(quiz());
        const Bytes saved = stored();
        ASSERT_FALSE(saved.empty());
        world.emplace(documents / what);
        EXPECT_TRUE(quiz().restoreProgress(quiz().getRecordStoreData(0)));
        quiz().saveData();
        EXPECT_EQ(stored(), saved);
    }
}

TEST_F(SavedProgress, SlotsReadTheNewestRecordAndWriteOnlyWhatWasGiven) {
    EXPECT_EQ(quiz().getRecordStoreData(0), nullptr);
    EXPECT_FALSE(quiz().accessRecordStoreWrite(0)) << "an empty slot opens nothing";
    EXPECT_TRUE(quiz().setRecordStoreData(javaBytes({1, 2, 3}), 0));
    EXPECT_TRUE(quiz().setRecordStoreData(javaBytes({4, 5}), 0));
    EXPECT_EQ(quiz().getRecordStoreDataMult(0)->length, 1);
    EXPECT_EQ(stored(), (Bytes{4, 5}));
    // A kill between adding the new record and deleting the old leaves both: the newest counts.
    HookCanvas::afterNewRecordsAdded = [](int32_t) { throw std::runtime_error("killed"); };
    EXPECT_THROW(quiz().setRecordStoreData(javaBytes({6}), 0), std::runtime_error);
    HookCanvas::afterNewRecordsAdded = nullptr;
    EXPECT_EQ(quiz().getRecordStoreDataMult(0)->length, 2);
    EXPECT_EQ(stored(), Bytes{6});
    EXPECT_TRUE(quiz().setRecordStoreData(javaBytes({7}), 0));
    EXPECT_EQ(quiz().getRecordStoreDataMult(0)->length, 1);
    EXPECT_EQ(stored(), Bytes{7});
}

TEST_F(SavedProgress, HiddenCanvasSavesOnceAndOnlyAfterTheProgressWasRead) {
    // The canvas is not current, so every main-loop pass finds it hidden.
    knownProgress();
    quiz().progress_loaded = false;
    quiz().runOnce();
    EXPECT_EQ(quiz().getRecordStoreData(0), nullptr);
    quiz().progress_loaded = true;
    quiz().runOnce();
    EXPECT_EQ(stored(), knownLayout(true).bytes);
    quiz().rank = 13;
    quiz().runOnce();
    EXPECT_EQ(stored(), knownLayout(true).bytes) << "one save per time hidden";
}

}  // namespace
