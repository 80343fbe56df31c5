// A quiz canvas on the generated bundle at either scale, with every screen image and both fonts
// loaded, that logs each image and text it draws by name ("answer_click@91,132", "text 'Yes'@160,272").
// ScreenFixture gives each test a fresh one on a screen of the scale's size.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "app/quiz/tests/TextLines.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/text/String.h"

class ScreenCanvas : public HookCanvas {
public:
    std::vector<std::string> log;
    std::map<int32_t, std::string> names;

    void drawImageIDNoTransform(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t x, int32_t y,
                                int32_t anchor) override {
        const auto found = names.find(slot);
        log.push_back((found == names.end() ? "?" + std::to_string(slot) : found->second) + "@" + std::to_string(x) +
                      "," + std::to_string(y));
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

    // Names every loaded handle after the field or set that holds it.
    void nameHandles() {
        const auto set = [this](const JavaPtr<JArray<int32_t>>& handles, const std::string& name) {
            for (int32_t i = 0; handles && i < handles->length; ++i) names.emplace(handles->data[i], name + std::to_string(i));
        };
        set(menu_segments, "menu");
        set(about_segments, "about");
        set(stats_segments, "stats");
        set(confirm_segments, "confirm");
        set(game_segments, "game");
        set(chooser_segments, "chooser");
        set(button_images, "button");
        set(small_stars, "star");
        set(big_stars, "bigstar");
        set(rank_badges, "badge");
        set(header_icons, "header");
        set(number_icons, "digit");
        set(three_boxes, "boxes");
        set(practice_menu_extra_borders, "border");
        for (const auto& [handle, name] : std::map<int32_t, std::string>{
                 {practice_menu_back_normal, "back_off"}, {practice_menu_back_click, "back_on"},
                 {number_flash_icon, "flash"}, {one_box_on, "box_on"}, {one_box_off, "box_off"},
                 {wide_button_normal, "wide"}, {wide_button_click, "wide_click"},
                 {answer_button_normal, "answer_normal"}, {answer_button_click, "answer_click"},
                 {answer_button_correct, "answer_correct"}, {answer_button_wrong, "answer_wrong"},
                 {answer_button_ghosted, "answer_ghosted"}, {timer_dot, "dot"}, {web_strip, "web_strip"},
                 {web_back_click, "web_back"}, {info_panel, "info_panel"}, {icon_about, "about_icon"},
                 {icon_click_about, "about_icon_click"}, {stats_box_overlay, "stats_overlay"},
                 {promoted_bg, "promoted"}, {demoted_bg, "demoted"}, {ranking_button_normal, "rank_button"},
                 {ranking_button_click, "rank_button_click"}, {ranking_button_menu_click, "menu_click"},
                 {complete_bg, "complete"}, {complete_bg_practice, "complete_practice"},
                 {units_button_normal, "units"}, {units_button_click, "units_click"}})
            names[handle] = name;
    }

    // Draws only what matches the prefix, in order.
    std::vector<std::string> drawn(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& entry : log)
            if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
        return out;
    }

private:
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
        HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH = p(320);
        HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = p(480);
        canvas->initWendrel();
        canvas->loadResourceBlock(0);
        canvas->loadScreenImages();
        canvas->nameHandles();
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
    void show(int32_t state) {
        HookCanvas::game_state = state;
        canvas->log.clear();
        canvas->render(g);
    }
    static JavaPtr<JArray<java::lang::String>> lines(std::initializer_list<const char*> texts) { return textLines(texts); }
    std::string at(const char* name, int32_t x, int32_t y) const {
        return std::string(name) + "@" + std::to_string(p(x)) + "," + std::to_string(p(y));
    }

    std::filesystem::path documents;
    JavaPtr<ScreenCanvas> canvas;
    JavaPtr<Image> frame;
    JavaPtr<Graphics> g;
};
