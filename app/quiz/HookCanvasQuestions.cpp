// Choosing the next question: loading and indexing the wanted database, the test's random pick
// that avoids recent questions, practice's pick in file order, and preparing the pick for the
// screen with its answers shuffled.
#include <climits>
#include <utility>

#include "app/framework/HookCanvas.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Clocks.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

// The test avoids the last 143 picks, but never so many that no question is left to pick.
int32_t picksToAvoid(int32_t count) {
    return count - 1 < HookCanvas::REPEAT_FILM_ARRAY_LENGTH ? count - 1 : HookCanvas::REPEAT_FILM_ARRAY_LENGTH;
}

bool pickedRecently(const JArray<short>& ring, int32_t position, int32_t depth, int32_t index) {
    for (int32_t back = 0; back < depth; ++back) {
        const int32_t slot = ((position - back) % ring.length + ring.length) % ring.length;
        if (ring.data[slot] == static_cast<short>(index)) return true;
    }
    return false;
}

void remember(JArray<short>& ring, int32_t& position, int32_t index) {
    position = (position + 1) % HookCanvas::REPEAT_FILM_ARRAY_LENGTH;
    ring.data[position] = static_cast<short>(index);
}

}  // namespace

void HookCanvas::loadDatabase() {
    random_seed = java::lang::clocks::wallMillis();
    for (int32_t i = 0; i < recent_questions->length; ++i) recent_questions->data[i] = -1;
    const JavaPtr<java::lang::String> name = want_practice_mode
                                                 ? QuestionDatabase::practiceFileName(want_category_to_be, want_subsection_to_be)
                                                 : QuestionDatabase::testFileName();
    try {
        database.load(!want_practice_mode && shuffle_db_preloaded ? shuffle_db_preloaded : loadFileFromJar(name, -1));
    } catch (java::io::IOException& unreadable) {
        throw java::io::IOException(jnew<java::lang::String>("the question file ") + name + " cannot be read: " +
                                    unreadable.getMessage());
    }
    if (want_practice_mode) currently_loaded_subsection = want_subsection_to_be;
    currently_loaded_category = want_category_to_be;
    current_mode_practice = want_practice_mode;
    current_category = want_category_to_be;
    current_subsection = want_subsection_to_be;
    database_loaded = true;
    questions_in_run = database.database_count;
}

JavaPtr<JArray<java::lang::String>> HookCanvas::criticQuestionPlease(int32_t) {
    if (!database_loaded || currently_loaded_category != want_category_to_be ||
        currently_loaded_subsection != want_subsection_to_be || want_practice_mode != current_mode_practice) {
        // Loading empties the ring of recent picks; a test question resumed before counts as asked.
        const bool resumedAsked = question_resumed && !want_practice_mode;
        loadDatabase();
        resetScores(current_category);
        if (resumedAsked) remember(*recent_questions, recent_questions_pos, film_id);
    }
    question_resumed = false;
    const int32_t count = database.database_count;
    if (count <= 0) return nullptr;
    int32_t index;
    if (current_mode_practice) {
        index = answered_in_run < count ? answered_in_run : count - 1;
    } else {
        const int32_t depth = picksToAvoid(count);
        index = random(count);
        int64_t lastReseed = LLONG_MIN;
        while (pickedRecently(*recent_questions, recent_questions_pos, depth, index)) {
            // Reseeding with an unchanged clock would draw the same index again: step on instead.
            const int64_t now = java::lang::clocks::wallMillis();
            if (now != lastReseed) random_seed = now;
            lastReseed = now;
            index = random(count);
        }
    }
    remember(*recent_questions, recent_questions_pos, index);
    film_id = index;
    return database.readRecord(index);
}

void HookCanvas::getQuestion(bool fresh) {
    random_seed = java::lang::clocks::wallMillis();
    hint_awarded = false;
    skip_awarded = false;
    hint_used = false;
    chosen_answer = -1;
    if (!saved_question_record || fresh) {
        const int32_t shownFilm = film_id;
        auto record = criticQuestionPlease(random(3));
        // An empty database leaves the screen as it was; the run's end then closes it.
        if (!record) return;
        question_timer_ms = QUESTION_TIMER_MAX_MS;
        time_warning_played = false;
        prev_question_record = question_record;
        prev_question_lines = question_lines;
        prev_correct_answer = correct_answer;
        prev_answer_lines = answer_lines;
        prev_ghosted_answers = ghosted_answers;
        prev_film_id = shownFilm;
        question_record = record;
        question_lines = splitString(question_record->data[0], main_font,
                                     getParam(PARAM_QUESTION_BOX_WIDTH) - 2 * getParam(PARAM_QUESTION_BOX_BORDER));
        const int32_t c = random(30000) / 10000 + 1;
        correct_answer = c;
        std::swap(question_record->data[1], question_record->data[c]);
        answer_lines = jnew<JArray<JArray<java::lang::String>>>(4);
        for (int32_t i = 0; i < 4; ++i)
            answer_lines->data[i] = splitString(question_record->data[i + 1], main_font,
                                                getParam(PARAM_ANSWER_SPLIT_TEXT_LIMIT));
        ghosted_answers = jnew<JArray<bool>>(4);
        question_answered = false;
        if (!current_mode_practice) {
            saved_question_record = question_record;
            saved_question_lines = question_lines;
            saved_correct_answer = correct_answer;
            saved_answer_lines = answer_lines;
            saved_ghosted_answers = ghosted_answers;
            saved_film_id = film_id;
            // A new test question is on record at once, so that a kill never resumes the one before.
            saveData();
        }
        return;
    }
    question_record = saved_question_record;
    question_lines = saved_question_lines;
    correct_answer = saved_correct_answer;
    answer_lines = saved_answer_lines;
    ghosted_answers = saved_ghosted_answers;
    for (int32_t i = 0; i < ghosted_answers->length; ++i) hint_used = hint_used || ghosted_answers->data[i];
    film_id = saved_film_id;
    question_answered = false;
    question_resumed = true;
}

void HookCanvas::resetQuizStatics() {
    current_category = -1;
    current_subsection = -1;
    current_mode_practice = false;
    want_category_to_be = -1;
    want_subsection_to_be = -1;
    want_practice_mode = false;
    currently_loaded_category = -1;
    currently_loaded_subsection = -1;
    film_id = 0;
    tilt_roll = 0;
    tilt_pitch = 0;
    scroller_buttonClickWidth = 0;
    scroller_buttonClickHeight = 0;
    scrolly_menu_yoffset = 0;
    little_starwidth = 0;
    practice_menu_back_normal = -1;
    practice_menu_back_click = -1;
}
