// A quiz canvas on the generated bundle at either scale, with every screen image and both fonts
// loaded, that logs each image and text it draws ("ANSWER_BUTTON_CLICK@91,132", "text 'Yes'@160,272").
// ScreenFixture gives each test a fresh one on a screen of the scale's size.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "app/quiz/tests/QuizFileBytes.h"
#include "app/quiz/tests/TextLines.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/text/String.h"

class ScreenCanvas : public HookCanvas {
public:
    std::vector<std::string> log;
    // Bundle files the test puts in place of the generated ones, by name.
    std::map<std::string, std::vector<uint8_t>> files;

    void drawImageIDNoTransform(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t x, int32_t y,
                                int32_t anchor) override {
        log.push_back(imageName(slot) + "@" + std::to_string(x) + "," + std::to_string(y));
        HookCanvas::drawImageIDNoTransform(g, slot, cell, x, y, anchor);
    }
    void drawString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, int32_t x, int32_t y, int32_t anchor,
                    int32_t advance) override {
        logText(s, x, y);
        HookCanvas::drawString(g, s, x, y, anchor, advance);
    }
    void drawCharsOrString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, const JavaPtr<JArray<char16_t>>& chars,
                           int32_t offset, int32_t length, int32_t x, int32_t y, int32_t anchor,
                           int32_t advance) override {
        logText(s, x, y);
        HookCanvas::drawCharsOrString(g, s, chars, offset, length, x, y, anchor, advance);
    }
    void playSound(int32_t, int32_t, int32_t) override {}
    JavaPtr<JArray<signed char>> loadFileFromJar(const JavaPtr<String>& name, int32_t length) override {
        const auto found = files.find(name->val());
        return found != files.end() ? javaBytes(found->second) : HookCanvas::loadFileFromJar(name, length);
    }
    // A state is loaded at once on the calling thread, so that a test runs through the screens
    // without waiting for loaders.
    void changeGameStateTo(int32_t state) override {
        const bool loading = (state & GAMESTATEFLAG_LOADING) != 0;
        // As on the loader's thread: no loading starts while one runs.
        if (loading && (game_state.load() & GAMESTATEFLAG_LOADING)) return;
        HookCanvas::changeGameStateTo(state & ~GAMESTATEFLAG_LOADING);
        if (!loading) return;
        game_state = state;
        startLoading();
        int32_t expected = state;
        game_state.compare_exchange_strong(expected, state & ~GAMESTATEFLAG_LOADING);
    }

    // The entries that begin with the pattern, in order.
    std::vector<std::string> drawn(const std::string& pattern) const {
        const std::regex start("^" + pattern);
        std::vector<std::string> out;
        for (const auto& entry : log)
            if (std::regex_search(entry, start)) out.push_back(entry);
        return out;
    }

private:
    // The image's resource name without its prefix and scale: "ANSWER_BUTTON_CLICK".
    std::string imageName(int32_t slot) const {
        const int32_t id = slot >= 0 ? image_cache_keys->data[2 * slot] : -1;
        for (const AppConstantEntry& entry : APP_CONSTANT_TABLE) {
            const std::string name = entry.name;
            if (entry.value != id || std::string(entry.kind) != "image" || name.rfind("RESID_", 0) != 0) continue;
            return name.substr(6, name.rfind('_') - 6);
        }
        return "?" + std::to_string(slot);
    }
    void logText(const JavaPtr<String>& s, int32_t x, int32_t y) {
        log.push_back("text '" + (s ? std::string(s->val()) : std::string()) + "'@" + std::to_string(x) + "," +
                      std::to_string(y));
    }
};

// Parameter: the retina scale (640 x 960) or not (320 x 480).
class ScreenFixture : public ::testing::TestWithParam<bool> {
protected:
    using Graphics = javax::microedition::lcdui::Graphics;
    using Image = javax::microedition::lcdui::Image;

    void SetUp() override {
        documents = std::filesystem::temp_directory_path() / ("lexivo-screens-" + std::to_string(::getpid()));
        std::filesystem::create_directories(documents);
        java::io::FileSystem::setDirectories(BUNDLE_DIR, documents.string());
        HookCanvas::HookCanvas_globalStaticCreate();
        canvas = java::lang::jnew<ScreenCanvas>();
        canvas->WENDinvokeconstructor();
        canvas->retina = retina();
        canvas->setupImageResource();
        HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH = p(320);
        HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = p(480);
        canvas->initWendrel();
        canvas->loadResourceBlock(0);
        canvas->loadScreenImages();
        for (int32_t i = 0; i < 8; ++i) canvas->segment_wipe->data[i] = 256;
        canvas->settings->data[4] = true;
        frame = Image::createImage(p(320), p(480));
        g = frame->getGraphics();
    }
    void TearDown() override {
        canvas = nullptr;
        g = nullptr;
        frame = nullptr;
        HookCanvas::HookCanvas_globalStaticDestroy();
        HookCanvas::game_state = 0;
        HookCanvas::pointer_x = 0;
        HookCanvas::pointer_y = 0;
        HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH = 0;
        HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = 0;
        HookCanvas::set_font = -1;
        std::filesystem::remove_all(documents);
    }

    bool retina() const { return GetParam(); }
    int32_t p(int32_t v) const { return retina() ? 2 * v : v; }
    // The finger down at a point of the 320 x 480 design.
    void fingerAt(int32_t x, int32_t y) {
        canvas->finger_down = true;
        HookCanvas::pointer_x = p(x);
        HookCanvas::pointer_y = p(y);
    }
    // The screen drawn as the test set it up: no update ran to say it changed.
    void show(int32_t state) {
        HookCanvas::game_state = state;
        canvas->log.clear();
        canvas->layerChanged();
        canvas->render(g);
    }
    static JavaPtr<JArray<java::lang::String>> lines(std::initializer_list<const char*> texts) {
        return textLines(texts);
    }
    std::string at(const char* name, int32_t x, int32_t y) const {
        return std::string(name) + "@" + std::to_string(p(x)) + "," + std::to_string(p(y));
    }

    std::filesystem::path documents;
    JavaPtr<ScreenCanvas> canvas;
    JavaPtr<Image> frame;
    JavaPtr<Graphics> g;
};
