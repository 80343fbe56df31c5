// A canvas whose quiz logic runs for real while the outside is scripted: sounds and state changes
// are recorded, text is one line, every image is 150 x 40, files and fade sequences come from the
// test. QuizWorld sets up the display, the documents directory, the topics and the test database.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "app/quiz/TopicsFile.h"
#include "app/quiz/tests/QuizFileBytes.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

class QuizCanvas : public HookCanvas {
public:
    static constexpr int32_t IMAGE_WIDTH = 150;
    static constexpr int32_t IMAGE_HEIGHT = 40;

    void playSound(int32_t id, int32_t, int32_t) override { sounds.push_back(id); }
    void changeGameStateTo(int32_t state) override { stateRequests.push_back(state); }
    JavaPtr<JArray<String>> splitString(const JavaPtr<String>& text, int32_t, int32_t) override {
        auto lines = java::lang::jnew<JArray<String>>(1);
        lines->data[0] = text;
        return lines;
    }
    int32_t getImageDimension(int32_t, int32_t, int32_t, int32_t kind) override {
        return kind == IMAGEDIMENSION_HEIGHT ? IMAGE_HEIGHT : IMAGE_WIDTH;
    }
    JavaPtr<JArray<signed char>> loadFileFromJar(const JavaPtr<String>& name, int32_t length) override {
        const auto found = files.find(name->val());
        if (found != files.end()) return javaBytes(found->second);
        return HookCanvas::loadFileFromJar(name, length);
    }
    JavaPtr<JArray<signed char>> getResourceByteArray(int32_t id) override {
        const auto found = resources.find(id);
        return found == resources.end() ? nullptr : javaBytes(found->second);
    }

    // Told "begin" before and "end" after each write of the saved progress.
    bool setRecordStoreData(const JavaPtr<JArray<signed char>>& data, int32_t i) override {
        if (saveWatcher) saveWatcher("begin");
        const bool written = HookCanvas::setRecordStoreData(data, i);
        if (saveWatcher) saveWatcher("end");
        return written;
    }

    // Where a tap lands on answer slot i or bottom button j.
    void pointAtAnswer(int32_t slot) {
        pointer_x = getParam(PARAM_ANSWER_BUTTONS_LEFT) + IMAGE_WIDTH / 2;
        pointer_y = answerSlotTop(slot) + IMAGE_HEIGHT / 2;
    }
    void pointAtButton(int32_t button) {
        pointer_x = getParam(PARAM_MENU_BUTTONS_LEFT) +
                    button * (getParam(PARAM_MENU_BUTTON_WIDTH) + getParam(PARAM_MENU_BUTTON_SPACING)) + 5;
        pointer_y = getParam(PARAM_MENU_BUTTONS_TOP) + 5;
    }
    // One update with the finger down, one with it lifted.
    void tap() {
        pointer_pressed = true;
        pointer_repeated = true;
        updateQuestionScreen();
        pointer_pressed = false;
        pointer_repeated = false;
        updateQuestionScreen();
    }
    void tapAnswer(int32_t slot) {
        pointAtAnswer(slot);
        tap();
    }
    void tapButton(int32_t button) {
        pointAtButton(button);
        tap();
    }
    void answer(bool right) {
        const int32_t slot = right ? correct_answer - 1 : correct_answer % 3;
        tapAnswer(slot);
    }
    // Updates until the screen waits for an answer again.
    void untilWaiting() {
        for (int32_t i = 0; i < 400 && question_delay > 0; ++i) updateQuestionScreen();
    }
    // Plays the pause after an answer out, at most `most` updates, as the screens after it would:
    // a finished test is closed and a new one begun, an owed panel's continue is pressed, and the
    // next question comes. `before(update)`, when given, runs ahead of each update.
    void playOutAnswer(int32_t most, const std::function<void(int32_t update)>& before = {}) {
        for (int32_t update = 0; update < most && question_delay > 0; ++update) {
            if (before) before(update);
            updateQuestionScreen();
            if (stateRequests.empty()) continue;
            const int32_t state = stateRequests.back() & ~GAMESTATEFLAG_LOADING;
            stateRequests.clear();
            if (state == GAMESTATE_COMPLETE) {
                closeCompletedTest();
                resetGame(false);
            }
            level_change_owed = 0;
            getQuestion(true);
        }
    }
    bool played(int32_t id) const { return std::count(sounds.begin(), sounds.end(), id) > 0; }

    std::function<void(const char* phase)> saveWatcher;
    std::vector<int32_t> sounds;
    std::vector<int32_t> stateRequests;
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<int32_t, std::vector<uint8_t>> resources;
};

// Counts on by one at every reading, so that reseeding always gets a new value.
inline std::atomic<int64_t> quizWallNow{1000};
inline int64_t quizWallClock() { return quizWallNow++; }

class QuizWorld {
public:
    using Display = javax::microedition::lcdui::Display;

    // Thresholds of 3 net right answers at every one of the 30 levels.
    explicit QuizWorld(const std::filesystem::path& documents, std::vector<int32_t> thresholds = std::vector<int32_t>(30, 3)) {
        java::lang::clocks::setWallSource(quizWallClock);
        java::io::FileSystem::setDirectories(QUESTIONS_DIR, documents.string());
        Display::screenWidth = 320;
        Display::screenHeight = 480;
        master = java::lang::jnew<javax::microedition::lcdui::Graphics>();
        display = Display::getDisplay();
        Display::setMasterGraphics(master);
        HookCanvas::HookCanvas_globalStaticCreate();
        HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH = 320;
        HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = 480;
        canvas = java::lang::jnew<QuizCanvas>();
        canvas->WENDinvokeconstructor();
        canvas->record_store_prefix = java::lang::jnew<java::lang::String>("ZARLQ");
        canvas->answer_button_height = QuizCanvas::IMAGE_HEIGHT;
        ::TopicsFile topics;
        topics.read(javaBytes(fileBytes(std::string(QUESTIONS_DIR) + "/topics.dat")));
        HookCanvas::categoryStrings = topics.categoryStrings;
        HookCanvas::subsectionStrings = topics.subsectionStrings;
        HookCanvas::practicedDBs = topics.practicedDBs;
        HookCanvas::boxesToShow = topics.boxesToShow;
        HookCanvas::levelThresholds = java::lang::jnew<JArray<int32_t>>(static_cast<int32_t>(thresholds.size()));
        for (size_t i = 0; i < thresholds.size(); ++i) HookCanvas::levelThresholds->data[i] = thresholds[i];
        HookCanvas::shuffle_db_preloaded = javaBytes(fileBytes(std::string(QUESTIONS_DIR) + "/shuffle_db.dat"));
    }
    ~QuizWorld() {
        canvas = nullptr;
        display = nullptr;
        master = nullptr;
        Display::tidyUp();
        Display::Display_staticDestroy();
        HookCanvas::HookCanvas_globalStaticDestroy();
        HookCanvas::afterNewRecordsAdded = nullptr;
        java::lang::clocks::setWallSource(nullptr);
    }
    // The start-up's reading of the progress, then a new test or the saved one.
    void startTest(bool resume) {
        canvas->loadSavedData();
        canvas->startGame();
        HookCanvas::want_category_to_be = HookCanvas::PARAM_NUMBER_OF_CATEGORIES;
        HookCanvas::want_practice_mode = false;
        if (!resume) canvas->resetGame(false);
        canvas->getQuestion(!resume);
    }

    JavaPtr<javax::microedition::lcdui::Graphics> master;
    JavaPtr<Display> display;
    JavaPtr<QuizCanvas> canvas;
};
