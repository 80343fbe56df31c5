// The player's whole progress as one record of the store "ZARLQ1": written after every change
// that matters, read once at start-up into temporaries, and taken only when every count and value
// fits the quiz's tables; otherwise a fresh test starts and the old record stays until new progress
// replaces it, which first keeps it in a file beside the stores.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/framework/HookCanvas.h"
#include "app/quiz/KeptRecord.h"
#include "app/quiz/LevelChange.h"
#include "app/quiz/ProgressLimits.h"
#include "app/quiz/SaveReport.h"
#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/ByteArrayOutputStream.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/DataOutputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using java::io::DataInputStream;
using java::io::DataOutputStream;
using java::lang::jnew;

namespace {

// Format 11 adds, at the end, the level change whose panel is owed; 10 is read as owing none.
constexpr int32_t FORMAT = 11;
constexpr int32_t FORMAT_BEFORE_OWED_CHANGES = 10;
constexpr int32_t CATEGORY_SLOTS = HookCanvas::PARAM_NUMBER_OF_CATEGORIES + 1;
constexpr int32_t TEST_CATEGORY = HookCanvas::PARAM_NUMBER_OF_CATEGORIES;
using progresslimits::MOST_COUNTED;
using progresslimits::MOST_HELD;
constexpr int32_t ALL_ASKED = 63;

template <class T>
using Array = JavaPtr<JArray<T>>;
using Texts = Array<java::lang::String>;

// A count read from the record may not promise more than the bytes left could hold.
void checkCount(DataInputStream& in, int32_t count, int32_t bytesEach) {
    if (count > in.available() / bytesEach) throw java::io::IOException("saved progress claims more than it holds");
}

// The stream gives -1 for an int and true for a bool read past the end; the record must hold them.
int32_t readInt(DataInputStream& in) {
    checkCount(in, 1, 4);
    return in.readInt();
}

bool readBoolean(DataInputStream& in) {
    checkCount(in, 1, 1);
    return in.readBoolean();
}

Texts readTexts(DataInputStream& in) {
    const int32_t count = readInt(in);
    checkCount(in, count, 2);
    auto texts = jnew<JArray<java::lang::String>>(count < 0 ? 0 : count);
    for (int32_t i = 0; i < count; ++i) texts->data[i] = in.readUTF();
    return texts;
}

void writeTexts(DataOutputStream& out, const Texts& texts) {
    out.writeInt(texts ? texts->length : 0);
    if (texts)
        for (int32_t i = 0; i < texts->length; ++i) out.writeUTF(texts->data[i]);
}

// Everything the record holds, read before any of it is taken.
struct SavedProgress {
    int32_t format = 0;
    int32_t hints = 0, skips = 0, timer = 0;
    bool testFinished = false;
    bool settings[6] = {};
    Array<int32_t> scores, asked;
    Array<bool> completed;
    int32_t category = -1, subsection = -1;
    bool practice = false;
    Array<JArray<bool>> practiced;
    int32_t levelRight = 0, levelAttempted = 0, testRight = 0, testWrong = 0, answeredInRun = 0, questionsInRun = 0,
            rank = 0, practiceRight = 0, practiceWrong = 0, practiceRun = 0;
    bool hasQuestion = false;
    Texts record, lines;
    int32_t correct = 0;
    Array<JArray<java::lang::String>> answerLines;
    Array<bool> ghosts;
    int32_t film = 0;
    int32_t owed = 0;
};

// The owed panel's code in the record.
constexpr int32_t OWED_NONE = 0, OWED_PROMOTION = 1, OWED_DEMOTION = 2;

int32_t owedCode(int32_t state) {
    return state == HookCanvas::GAMESTATE_PROMOTED ? OWED_PROMOTION
           : state == HookCanvas::GAMESTATE_DEMOTED ? OWED_DEMOTION
                                                   : OWED_NONE;
}

int32_t owedState(int32_t code) {
    return code == OWED_PROMOTION ? HookCanvas::GAMESTATE_PROMOTED
           : code == OWED_DEMOTION ? HookCanvas::GAMESTATE_DEMOTED
                                   : 0;
}

bool sameBytes(const JArray<signed char>& a, const JArray<signed char>& b) {
    return a.length == b.length && std::equal(a.data, a.data + a.length, b.data);
}

bool within(int32_t value, int32_t lowest, int32_t highest) { return value >= lowest && value <= highest; }

bool fitsCategories(const Array<int32_t>& a, int32_t highest) {
    if (!a || a->length != CATEGORY_SLOTS) return false;
    for (int32_t i = 0; i < a->length; ++i)
        if (!within(a->data[i], 0, highest)) return false;
    return true;
}

// The subsections of the topics' category c.
int32_t subsectionsOf(int32_t c) {
    const auto& topics = HookCanvas::subsectionStrings;
    return topics && c >= 0 && c < topics->length && topics->data[c] ? topics->data[c]->length : 0;
}

int32_t mostSubsections() {
    int32_t most = 0;
    for (int32_t c = 0; c < HookCanvas::PARAM_NUMBER_OF_CATEGORIES; ++c) most = std::max(most, subsectionsOf(c));
    return most;
}

// The questions change with the bundle: a practised row that no longer matches its category's
// subsections starts afresh, and so does a practice run in a subsection that is gone. The test's
// progress and the statistics stay.
void fitToTopics(SavedProgress& p) {
    auto rows = jnew<JArray<JArray<bool>>>(HookCanvas::PARAM_NUMBER_OF_CATEGORIES);
    for (int32_t c = 0; c < rows->length; ++c) {
        const bool kept = p.practiced && c < p.practiced->length && p.practiced->data[c]->length == subsectionsOf(c);
        rows->data[c] = kept ? p.practiced->data[c] : jnew<JArray<bool>>(subsectionsOf(c));
    }
    p.practiced = rows;
    if (p.practice && p.subsection >= subsectionsOf(p.category)) {
        p.practice = false;
        p.category = TEST_CATEGORY;
        p.subsection = -1;
    }
    // Outside practice the subsection is the one last practised, which only a new practice run reads.
    if (!p.practice && p.subsection >= mostSubsections()) p.subsection = -1;
}

bool questionHolds(const SavedProgress& p) {
    if (!p.hasQuestion) return true;
    if (p.record->length != 5 || p.correct < 1 || p.correct > 3 || p.answerLines->length != 4 || p.film < 0)
        return false;
    for (int32_t i = 0; i < 5; ++i)
        if (!p.record->data[i]) return false;
    // A hint ghosts one wrong answer, never the right one.
    int32_t ghosted = 0;
    for (int32_t i = 0; i < 4; ++i) ghosted += p.ghosts->data[i] ? 1 : 0;
    return ghosted <= 1 && !p.ghosts->data[p.correct - 1] && !p.ghosts->data[3];
}

bool holds(const SavedProgress& p, int32_t ranks) {
    if (!fitsCategories(p.scores, MOST_COUNTED) || !fitsCategories(p.asked, ALL_ASKED) || !p.completed ||
        p.completed->length != CATEGORY_SLOTS)
        return false;
    // Outside practice the category is the test's, or the one last practised before a test question
    // was resumed, or -1 before any questions were loaded, when no test can have been under way.
    if (!within(p.category, p.practice ? 0 : -1, p.practice ? TEST_CATEGORY - 1 : TEST_CATEGORY)) return false;
    if (p.category == -1 && (p.rank > 0 || p.hasQuestion || p.owed != OWED_NONE)) return false;
    if (p.subsection < (p.practice ? 0 : -1)) return false;
    if (!within(p.hints, 0, MOST_HELD) || !within(p.skips, 0, MOST_HELD)) return false;
    if (!within(p.timer, 0, HookCanvas::QUESTION_TIMER_MAX_MS)) return false;
    if (!within(p.rank, 0, ranks)) return false;
    for (int32_t value : {p.levelRight, p.levelAttempted, p.testRight, p.testWrong, p.answeredInRun, p.questionsInRun,
                          p.practiceRight, p.practiceWrong, p.practiceRun})
        if (!within(value, 0, MOST_COUNTED)) return false;
    if (p.levelRight > progresslimits::MOST_RIGHT_ON_LEVEL) return false;
    // A panel is owed only for a level change of a test under way: a promotion past the first level,
    // a demotion below the last.
    if (!within(p.owed, OWED_NONE, OWED_DEMOTION)) return false;
    if (p.owed != OWED_NONE && (p.testFinished || p.rank >= ranks || (p.owed == OWED_PROMOTION && p.rank == 0)))
        return false;
    return questionHolds(p);
}

}  // namespace

void HookCanvas::writeArray(const JavaPtr<DataOutputStream>& out, const JavaPtr<JArray<int32_t>>& a) {
    out->writeInt(a ? a->length : 0);
    if (a)
        for (int32_t i = 0; i < a->length; ++i) out->writeInt(a->data[i]);
}

void HookCanvas::writeArray(const JavaPtr<DataOutputStream>& out, const JavaPtr<JArray<bool>>& a) {
    out->writeInt(a ? a->length : 0);
    if (a)
        for (int32_t i = 0; i < a->length; ++i) out->writeBoolean(a->data[i]);
}

void HookCanvas::writeArrayArray(const JavaPtr<DataOutputStream>& out, const JavaPtr<JArray<JArray<bool>>>& m) {
    out->writeInt(m ? m->length : 0);
    if (m)
        for (int32_t r = 0; r < m->length; ++r) writeArray(out, m->data[r]);
}

JavaPtr<JArray<int32_t>> HookCanvas::readIntArray(const JavaPtr<DataInputStream>& in) {
    const int32_t count = in->readInt();
    if (count == 0) return nullptr;
    checkCount(*in, count, 4);
    auto a = jnew<JArray<int32_t>>(count < 0 ? 0 : count);
    for (int32_t i = 0; i < count; ++i) a->data[i] = in->readInt();
    return a;
}

JavaPtr<JArray<bool>> HookCanvas::readBooleanArray(const JavaPtr<DataInputStream>& in) {
    const int32_t count = in->readInt();
    if (count == 0) return nullptr;
    checkCount(*in, count, 1);
    auto a = jnew<JArray<bool>>(count < 0 ? 0 : count);
    for (int32_t i = 0; i < count; ++i) a->data[i] = in->readBoolean();
    return a;
}

JavaPtr<JArray<JArray<bool>>> HookCanvas::readBoolBoolArray(const JavaPtr<DataInputStream>& in) {
    const int32_t rows = in->readInt();
    if (rows == 0) return nullptr;
    checkCount(*in, rows, 4);
    auto m = jnew<JArray<JArray<bool>>>(rows < 0 ? 0 : rows);
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t count = in->readInt();
        checkCount(*in, count, 1);
        m->data[r] = jnew<JArray<bool>>(count < 0 ? 0 : count);
        for (int32_t i = 0; i < count; ++i) m->data[r]->data[i] = in->readBoolean();
    }
    return m;
}

void HookCanvas::saveData() {
    const auto record = progressRecord();
    if (refused_record) {
        // While the progress is the fresh start that followed the refusal, the refused record stays.
        if (sameBytes(*record, *fresh_progress)) return;
        std::string whyNot;
        const std::span<const signed char> refused{refused_record->data, static_cast<size_t>(refused_record->length)};
        if (keptrecord::keep(refused, whyNot) == keptrecord::Outcome::Failed) {
            savereport::saveFailed(whyNot);
            return;
        }
        refused_record = nullptr;
    }
    setRecordStoreData(record, 0);
}

JavaPtr<JArray<signed char>> HookCanvas::progressRecord() {
    // In the pause after a test answer, a level change that is due is recorded with the answer, as
    // it will stand once the pause ends: a kill in the pause must not change the outcome.
    int32_t recordedRank = rank, recordedRight = level_right, recordedAttempted = level_attempted;
    bool recordedFinished = test_finished;
    int32_t owed = level_change_owed;
    const bool inPause = !current_mode_practice && question_answered && question_delay > 0 && !question_slide_in;
    if (const auto change = inPause ? LevelChange::due(*this) : std::nullopt) {
        recordedRank = change->rank;
        recordedRight = 0;
        recordedAttempted = 0;
        recordedFinished = change->finishesTest();
        owed = change->owedPanel();
    }

    auto bytes = jnew<java::io::ByteArrayOutputStream>();
    auto out = jnew<DataOutputStream>(bytes);
    out->writeByte(FORMAT);
    out->writeInt(hints);
    out->writeInt(skips);
    out->writeInt(question_timer_ms);
    out->writeByte(recordedFinished ? 1 : 0);
    for (int32_t i = 0; i < 6; ++i) out->writeByte(settings->data[i] ? 1 : 0);
    writeArray(out, category_scores);
    writeArray(out, category_questions_asked);
    writeArray(out, category_completed);
    out->writeInt(current_category);
    out->writeBoolean(current_mode_practice);
    out->writeInt(current_subsection);
    writeArrayArray(out, practicedDBs);
    for (int32_t value : {recordedRight, recordedAttempted, test_right_total, test_wrong_total, answered_in_run,
                          questions_in_run, recordedRank, practice_right_total, practice_wrong_total, practice_right_run})
        out->writeInt(value);

    // The test's question on screen is saved for resuming only while it is unanswered: once
    // answered it counts in the totals above, and "Continue Test" must ask a new one.
    // Before the first question of a run is shown (after a restart) the saved copy stands.
    const bool test = !current_mode_practice;
    if (test && question_answered) saved_question_record = nullptr;
    const bool onScreen = test && question_record && !question_answered;
    const auto record = onScreen ? question_record : saved_question_record;
    if (!record) {
        out->writeByte(0);
    } else {
        const auto lines = onScreen ? question_lines : saved_question_lines;
        const int32_t correct = onScreen ? correct_answer : saved_correct_answer;
        const auto answers = onScreen ? answer_lines : saved_answer_lines;
        const auto ghosts = onScreen ? ghosted_answers : saved_ghosted_answers;
        const int32_t film = onScreen ? film_id : saved_film_id;
        out->writeByte(1);
        writeTexts(*out, record);
        writeTexts(*out, lines);
        out->writeInt(correct);
        out->writeInt(answers ? answers->length : 0);
        if (answers)
            for (int32_t i = 0; i < answers->length; ++i) writeTexts(*out, answers->data[i]);
        for (int32_t i = 0; i < 4; ++i) out->writeBoolean(ghosts && ghosts->data[i]);
        out->writeInt(film);
        saved_question_record = record;
        saved_question_lines = lines;
        saved_correct_answer = correct;
        saved_answer_lines = answers;
        saved_ghosted_answers = ghosts;
        saved_film_id = film;
    }
    out->writeByte(owedCode(owed));
    out->close();
    return bytes->toByteArray();
}

void HookCanvas::loadSavedData() {
    const auto data = getRecordStoreData(0);
    if (data && !restoreProgress(data)) {
        std::fprintf(stderr, "quiz: the saved progress cannot be used; a new test starts, and the old record stays "
                             "until new progress is saved, which first keeps it in a file beside the stores\n");
        std::fflush(stderr);
        resetGame(true);
        refused_record = data;
        fresh_progress = progressRecord();
    } else if (!data) {
        resetGame(true);
    }
    progress_loaded = true;
}

bool HookCanvas::restoreProgress(const JavaPtr<JArray<signed char>>& data) {
    SavedProgress p;
    try {
        auto in = jnew<DataInputStream>(jnew<java::io::ByteArrayInputStream>(data));
        p.format = in->readByte();
        if (p.format != FORMAT && p.format != FORMAT_BEFORE_OWED_CHANGES) return false;
        p.hints = readInt(*in);
        p.skips = readInt(*in);
        p.timer = readInt(*in);
        p.testFinished = in->readByte() == 1;
        for (bool& setting : p.settings) setting = in->readByte() == 1;
        p.scores = readIntArray(in);
        p.asked = readIntArray(in);
        p.completed = readBooleanArray(in);
        p.category = readInt(*in);
        p.practice = readBoolean(*in);
        p.subsection = readInt(*in);
        p.practiced = readBoolBoolArray(in);
        for (int32_t* value : {&p.levelRight, &p.levelAttempted, &p.testRight, &p.testWrong, &p.answeredInRun,
                               &p.questionsInRun, &p.rank, &p.practiceRight, &p.practiceWrong, &p.practiceRun})
            *value = readInt(*in);
        p.hasQuestion = in->readByte() != 0;
        if (p.hasQuestion) {
            p.record = readTexts(*in);
            p.lines = readTexts(*in);
            p.correct = readInt(*in);
            const int32_t answers = readInt(*in);
            checkCount(*in, answers, 4);
            p.answerLines = jnew<JArray<JArray<java::lang::String>>>(answers < 0 ? 0 : answers);
            for (int32_t i = 0; i < answers; ++i) p.answerLines->data[i] = readTexts(*in);
            p.ghosts = jnew<JArray<bool>>(4);
            for (int32_t i = 0; i < 4; ++i) p.ghosts->data[i] = readBoolean(*in);
            p.film = readInt(*in);
        }
        if (p.format == FORMAT) p.owed = in->readByte();
        if (in->available() != 0) return false;
        const int32_t ranks = levelThresholds ? levelThresholds->length : PARAM_NUMBER_OF_RANKS;
        if (!holds(p, ranks)) return false;
        // Earlier builds left a test that reached the last level unfinished.
        if (p.rank == ranks) p.testFinished = true;
        fitToTopics(p);
    } catch (const java::lang::Exception&) {
        return false;
    }
    hints = p.hints;
    skips = p.skips;
    question_timer_ms = p.timer;
    test_finished = p.testFinished;
    for (int32_t i = 0; i < 6; ++i) settings->data[i] = p.settings[i];
    category_scores = p.scores;
    category_questions_asked = p.asked;
    category_completed = p.completed;
    current_category = p.category;
    current_mode_practice = p.practice;
    current_subsection = p.subsection;
    practicedDBs = p.practiced;
    level_right = p.levelRight;
    level_attempted = p.levelAttempted;
    test_right_total = p.testRight;
    test_wrong_total = p.testWrong;
    answered_in_run = p.answeredInRun;
    questions_in_run = p.questionsInRun;
    rank = p.rank;
    practice_right_total = p.practiceRight;
    practice_wrong_total = p.practiceWrong;
    practice_right_run = p.practiceRun;
    level_change_owed = owedState(p.owed);
    saved_question_record = p.hasQuestion ? p.record : nullptr;
    if (p.hasQuestion) {
        saved_question_lines = p.lines;
        saved_correct_answer = p.correct;
        saved_answer_lines = p.answerLines;
        saved_ghosted_answers = p.ghosts;
        saved_film_id = p.film;
    }
    return true;
}

void HookCanvas::saveProgressWhileHidden() {
    if (saved_while_hidden || !progress_loaded.load()) return;
    // Under the monitor, as termination calls this on the UI thread while an update may run; a
    // loading starts only in an update.
    auto sync = startSync();
    if (saved_while_hidden || (game_state.load() & GAMESTATEFLAG_LOADING)) return;
    saveData();
    saved_while_hidden = true;
    // From here on a script may end the program without losing what was played.
    std::printf("quiz: hidden save done\n");
    std::fflush(stdout);
}
