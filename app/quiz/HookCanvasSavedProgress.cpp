// The player's whole progress as one record of the store "ZARLQ1": written after every change
// that matters, read once at start-up into temporaries, and taken only when every count and value
// fits the quiz's tables; otherwise a fresh test starts and the old record stays until the next save.
#include <optional>

#include "app/framework/HookCanvas.h"
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

constexpr int32_t FORMAT = 10;
constexpr int32_t CATEGORY_SLOTS = HookCanvas::PARAM_NUMBER_OF_CATEGORIES + 1;

template <class T>
using Array = JavaPtr<JArray<T>>;
using Texts = Array<java::lang::String>;

// A count read from the record may not promise more than the bytes left could hold.
void checkCount(DataInputStream& in, int32_t count, int32_t bytesEach) {
    if (count > in.available() / bytesEach) throw java::io::IOException("saved progress claims more than it holds");
}

Texts readTexts(DataInputStream& in) {
    const int32_t count = in.readInt();
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
};

bool fitsCategories(const Array<int32_t>& a) { return a && a->length == CATEGORY_SLOTS; }

bool fitsTopics(const Array<JArray<bool>>& practiced) {
    const auto& subsections = HookCanvas::subsectionStrings;
    if (!practiced || !subsections || practiced->length != subsections->length) return false;
    for (int32_t c = 0; c < practiced->length; ++c)
        if (!subsections->data[c] || practiced->data[c]->length != subsections->data[c]->length) return false;
    return true;
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
    const int32_t categories = HookCanvas::PARAM_NUMBER_OF_CATEGORIES;
    if (!fitsCategories(p.scores) || !fitsCategories(p.asked) || !p.completed || p.completed->length != CATEGORY_SLOTS)
        return false;
    if (!fitsTopics(p.practiced)) return false;
    if (p.practice) {
        if (p.category < 0 || p.category >= categories) return false;
        if (p.subsection < 0 || p.subsection >= p.practiced->data[p.category]->length) return false;
    } else if (p.category < -1 || p.category > categories) {
        return false;
    }
    if (p.hints < 0 || p.hints > 9 || p.skips < 0 || p.skips > 9) return false;
    if (p.timer < 0 || p.timer > HookCanvas::QUESTION_TIMER_MAX_MS) return false;
    if (p.rank < 0 || p.rank > ranks) return false;
    for (int32_t value : {p.levelRight, p.levelAttempted, p.testRight, p.testWrong, p.answeredInRun, p.questionsInRun,
                          p.practiceRight, p.practiceWrong, p.practiceRun})
        if (value < 0) return false;
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
    auto bytes = jnew<java::io::ByteArrayOutputStream>();
    auto out = jnew<DataOutputStream>(bytes);
    out->writeByte(FORMAT);
    out->writeInt(hints);
    out->writeInt(skips);
    out->writeInt(question_timer_ms);
    out->writeByte(test_finished ? 1 : 0);
    for (int32_t i = 0; i < 6; ++i) out->writeByte(settings->data[i] ? 1 : 0);
    writeArray(out, category_scores);
    writeArray(out, category_questions_asked);
    writeArray(out, category_completed);
    out->writeInt(current_category);
    out->writeBoolean(current_mode_practice);
    out->writeInt(current_subsection);
    writeArrayArray(out, practicedDBs);
    for (int32_t value : {level_right, level_attempted, test_right_total, test_wrong_total, answered_in_run,
                          questions_in_run, rank, practice_right_total, practice_wrong_total, practice_right_run})
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
    out->close();
    setRecordStoreData(bytes->toByteArray(), 0);
}

void HookCanvas::loadSavedData() {
    const auto data = getRecordStoreData(0);
    std::optional<SavedProgress> read;
    if (data) {
        try {
            auto in = jnew<DataInputStream>(jnew<java::io::ByteArrayInputStream>(data));
            SavedProgress p;
            in->readByte();
            p.hints = in->readInt();
            p.skips = in->readInt();
            p.timer = in->readInt();
            p.testFinished = in->readByte() == 1;
            for (bool& setting : p.settings) setting = in->readByte() == 1;
            p.scores = readIntArray(in);
            p.asked = readIntArray(in);
            p.completed = readBooleanArray(in);
            p.category = in->readInt();
            p.practice = in->readBoolean();
            p.subsection = in->readInt();
            p.practiced = readBoolBoolArray(in);
            for (int32_t* value : {&p.levelRight, &p.levelAttempted, &p.testRight, &p.testWrong, &p.answeredInRun,
                                   &p.questionsInRun, &p.rank, &p.practiceRight, &p.practiceWrong, &p.practiceRun})
                *value = in->readInt();
            p.hasQuestion = in->readByte() != 0;
            if (p.hasQuestion) {
                p.record = readTexts(*in);
                p.lines = readTexts(*in);
                p.correct = in->readInt();
                const int32_t answers = in->readInt();
                checkCount(*in, answers, 4);
                p.answerLines = jnew<JArray<JArray<java::lang::String>>>(answers < 0 ? 0 : answers);
                for (int32_t i = 0; i < answers; ++i) p.answerLines->data[i] = readTexts(*in);
                p.ghosts = jnew<JArray<bool>>(4);
                for (int32_t i = 0; i < 4; ++i) p.ghosts->data[i] = in->readBoolean();
                p.film = in->readInt();
            }
            if (holds(p, levelThresholds ? levelThresholds->length : PARAM_NUMBER_OF_RANKS)) read = p;
        } catch (const java::lang::Exception&) {
        }
    }
    if (!read) {
        // Nothing stored, or a record that cannot be trusted: it stays until the next save.
        resetGame(true);
        progress_loaded = true;
        return;
    }
    const SavedProgress& p = *read;
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
    if (p.hasQuestion) {
        saved_question_record = p.record;
        saved_question_lines = p.lines;
        saved_correct_answer = p.correct;
        saved_answer_lines = p.answerLines;
        saved_ghosted_answers = p.ghosts;
        saved_film_id = p.film;
    }
    progress_loaded = true;
}

void HookCanvas::saveProgressWhileHidden() {
    if (saved_while_hidden || !progress_loaded.load() || (game_state.load() & GAMESTATEFLAG_LOADING)) return;
    auto sync = startSync();
    saveData();
    saved_while_hidden = true;
}
