// Fuzzes the saved-progress loader with records, then plays the question screen over what it took
// (resuming the test as "Continue Test" does, or starting a new one as a refused record leaves
// it), with taps on answers, hints and skips through level changes. What the quiz then saves must
// load again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

#include "app/quiz/tests/QuizCanvas.h"

namespace {

using H = HookCanvas;

// Saves kept in memory, so that a run costs no file writes.
class MemoryCanvas : public QuizCanvas {
public:
    bool setRecordStoreData(const JavaPtr<JArray<signed char>>& data, int32_t) override { saved = data; return true; }
    JavaPtr<JArray<signed char>> getRecordStoreData(int32_t) override { return saved; }
    JavaPtr<JArray<signed char>> saved;
};

std::filesystem::path documents;
QuizWorld* world = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    documents = std::filesystem::temp_directory_path() / ("lexivo-savedprogress-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(documents);
    world = new QuizWorld(documents);
    std::atexit([] {
        delete world;
        std::filesystem::remove_all(documents);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A new canvas each time; the statics hold what the last record taken left, always whole.
    auto canvas = java::lang::jnew<MemoryCanvas>();
    canvas->WENDinvokeconstructor();
    canvas->record_store_prefix = java::lang::jnew<java::lang::String>("ZARLQ");
    canvas->answer_button_height = QuizCanvas::IMAGE_HEIGHT;
    world->canvas = canvas;
    MemoryCanvas& q = *canvas;
    if (!q.restoreProgress(javaBytes(std::vector<uint8_t>(data, data + size)))) q.resetGame(true);
    q.progress_loaded = true;
    uint32_t seed = static_cast<uint32_t>(size);
    for (size_t i = 0; i < size && i < 64; ++i) seed = seed * 31 + data[i];
    std::minstd_rand random(seed);
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
        q.playOutAnswer(130, [](int32_t) {});
    }
    q.saveData();
    if (!q.restoreProgress(q.saved)) std::abort();
    return 0;
}
