// Feeds records to the saved-progress loader, then plays the question screen over what it took (the
// test resumed as "Continue Test" resumes it, or a new one as a refused record leaves it) with
// answers, hints and skips through level changes, every other time with its counts at their caps.
// What the quiz then saves must load again.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string_view>

#include "app/quiz/tests/QuizCanvas.h"

namespace {

using H = HookCanvas;

// Every count at the largest the loader takes, where answers must not carry it past.
void countsAtTheirCaps(QuizCanvas& q) {
    for (int32_t* count : {&q.level_attempted, &q.test_right_total, &q.test_wrong_total, &q.answered_in_run,
                           &q.practice_right_total, &q.practice_wrong_total, &q.practice_right_run})
        *count = 1'000'000'000;
    q.level_right = 10'000'000;
    for (int32_t c = 0; c < H::category_scores->length; ++c) H::category_scores->data[c] = 1'000'000'000;
}

// Saves kept in memory, so that a run costs no file writes and the documents stay untouched.
class MemoryCanvas : public QuizCanvas {
public:
    bool setRecordStoreData(const JavaPtr<JArray<signed char>>& data, int32_t) override { saved = data; return true; }
    JavaPtr<JArray<signed char>> getRecordStoreData(int32_t) override { return saved; }
    JavaPtr<JArray<signed char>> saved;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QuizWorld world(std::filesystem::temp_directory_path());
    // A new canvas each time; the statics hold what the last record taken left, always whole.
    auto canvas = java::lang::jnew<MemoryCanvas>();
    canvas->WENDinvokeconstructor();
    canvas->answer_button_height = QuizCanvas::IMAGE_HEIGHT;
    world.canvas = canvas;
    MemoryCanvas& q = *canvas;
    if (!q.restoreProgress(javaBytes(std::vector<uint8_t>(data, data + size)))) q.resetGame(true);
    std::minstd_rand random(std::hash<std::string_view>{}({reinterpret_cast<const char*>(data), size}));
    if (random() % 2 == 0) countsAtTheirCaps(q);
    H::want_category_to_be = H::PARAM_NUMBER_OF_CATEGORIES;
    H::want_practice_mode = false;
    H::current_mode_practice = false;
    q.startGame();
    const bool resume = q.testToContinue() && q.level_change_owed == 0;
    if (!q.testToContinue()) q.resetGame(false);
    q.level_change_owed = 0;  // the panel's continue
    q.getQuestion(!resume);
    for (int32_t step = 0; step < 12; ++step) {
        const uint32_t roll = random() % 8;
        if (roll < 2)
            q.tapButton(roll == 0 ? H::BUTTON_HINT : H::BUTTON_SKIP);
        else
            q.tapAnswer(static_cast<int32_t>(roll % 3));
        q.playOutAnswer(130);
    }
    q.saveData();
    if (!q.restoreProgress(q.saved)) std::abort();
    return 0;
}
