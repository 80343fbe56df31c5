// Every screen at both scales against its reference picture in screens/, within a small difference
// per colour channel. After a deliberate change of the art or the layout, look at the new pictures
// and take them as the references with:
//   UPDATE_SCREENS=1 build/asan/app/quiz/tests/quiz_screen_tests --gtest_filter='*Golden*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>

#include "app/quiz/tests/ScreenCanvas.h"
#include "app/quiz/tests/TextLines.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/tests/TestPictures.h"

namespace {

using java::lang::jnew;

constexpr int TOLERANCE = 6;

struct Scene {
    const char* name;
    int32_t state;
    std::function<void(ScreenCanvas&)> setUp;
};

void aQuestion(ScreenCanvas& c) {
    c.question_lines = textLines({"Which word names a small", "open boat?"});
    c.answer_lines = jnew<JArray<JArray<java::lang::String>>>(3);
    c.answer_lines->data[0] = textLines({"dinghy"});
    c.answer_lines->data[1] = textLines({"galleon"});
    c.answer_lines->data[2] = textLines({"ferry"});
    c.ghosted_answers = jnew<JArray<bool>>(3);
    c.ghosted_answers->data[2] = true;
    c.correct_answer = 1;
    c.chosen_answer = 1;
    c.question_timer_ms = 6000;
    c.rank = 4;
    c.hints = 2;
    c.skips = 1;
}

void aList(ScreenCanvas&, bool) {
    HookCanvas::scroller_category_list = jnew<JArray<JArray<java::lang::String>>>(6);
    const char* names[] = {"Nouns: people", "Nouns: places", "Verbs of motion", "Adjectives", "Adverbs", "Rare words"};
    for (int32_t i = 0; i < 6; ++i) HookCanvas::scroller_category_list->data[i] = textLines({names[i]});
    HookCanvas::boxesToShow = jnew<JArray<int32_t>>(6);
    for (int32_t i = 0; i < 4; ++i) HookCanvas::boxesToShow->data[i] = i;
    HookCanvas::practicedDBs = jnew<JArray<JArray<bool>>>(1);
    HookCanvas::practicedDBs->data[0] = jnew<JArray<bool>>(6);
    HookCanvas::practicedDBs->data[0]->data[0] = true;
    HookCanvas::want_category_to_be = 0;
}

const std::vector<Scene>& scenes() {
    static const std::vector<Scene> all = {
        {"main_menu", HookCanvas::GAMESTATE_MAIN_MENU,
         [](ScreenCanvas& c) {
             c.rank = 0;
             c.setupMenu(HookCanvas::GAMESTATE_MAIN_MENU);
         }},
        {"about", HookCanvas::GAMESTATE_ABOUT, [](ScreenCanvas&) {}},
        {"stats", HookCanvas::GAMESTATE_STATS,
         [](ScreenCanvas& c) {
             c.practice_right_total = 12;
             c.practice_wrong_total = 4;
             c.test_right_total = 40;
             c.test_wrong_total = 9;
             c.rank = 16;
         }},
        {"confirm", HookCanvas::GAMESTATE_CONFIRM,
         [](ScreenCanvas& c) {
             c.rank = 3;
             c.setupMenu(HookCanvas::GAMESTATE_CONFIRM);
         }},
        {"promoted", HookCanvas::GAMESTATE_PROMOTED, [](ScreenCanvas& c) { c.rank = 15; }},
        {"demoted", HookCanvas::GAMESTATE_DEMOTED, [](ScreenCanvas& c) { c.rank = 5; }},
        {"complete_test", HookCanvas::GAMESTATE_COMPLETE, [](ScreenCanvas&) {}},
        {"complete_practice", HookCanvas::GAMESTATE_COMPLETE,
         [](ScreenCanvas& c) {
             HookCanvas::current_mode_practice = true;
             c.practice_right_run = 7;
             c.questions_in_run = 10;
         }},
        {"question", HookCanvas::GAMESTATE_GAME_RUNNING, aQuestion},
        {"information", HookCanvas::GAMESTATE_INFOLINK,
         [](ScreenCanvas& c) {
             aQuestion(c);
             c.info_lines = textLines({"A dinghy is a small boat,", "rowed or sailed."});
         }},
        {"categories", HookCanvas::GAMESTATE_CHOOSE_CATEGORY,
         [](ScreenCanvas& c) {
             aList(c, true);
             c.list_highlight_item = 1;
         }},
        {"subsections", HookCanvas::GAMESTATE_CHOOSE_SUBSECTION, [](ScreenCanvas& c) { aList(c, false); }},
    };
    return all;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScreenGoldenTest : public ScreenFixture {};

TEST_P(ScreenGoldenTest, EveryScreenMatchesItsReferencePicture) {
    const bool update = std::getenv("UPDATE_SCREENS") != nullptr;
    for (const Scene& scene : scenes()) {
        SCOPED_TRACE(scene.name);
        HookCanvas::current_mode_practice = false;
        canvas->finger_down = false;
        canvas->list_highlight_item = canvas->list_selected_item = -1;
        scene.setUp(*canvas);
        show(scene.state);
        const int32_t w = frame->getWidth(), h = frame->getHeight();
        auto rgb = jnew<JArray<int>>(w * h);
        frame->getRGB(rgb, 0, w, 0, 0, w, h);
        const std::string path = std::string(SCREENS_DIR) + "/" + scene.name + (retina() ? "_high" : "_low") + ".png";
        if (update) {
            lcduitest::PNGDescription picture{static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
            for (int32_t i = 0; i < w * h; ++i)
                for (int shift : {16, 8, 0})
                    picture.samples.push_back(static_cast<uint16_t>((rgb->data[i] >> shift) & 0xFF));
            const auto png = lcduitest::encodePNG(picture);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
            continue;
        }
        const auto bytes = readBytes(path);
        ASSERT_FALSE(bytes.empty()) << "no reference picture " << path;
        auto data = jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
        std::memcpy(data->data, bytes.data(), bytes.size());
        const auto reference = javax::microedition::lcdui::Image::createImage(data, 0, data->length);
        ASSERT_EQ(reference->getWidth(), w);
        ASSERT_EQ(reference->getHeight(), h);
        auto expected = jnew<JArray<int>>(w * h);
        reference->getRGB(expected, 0, w, 0, 0, w, h);
        int32_t differing = 0, first = -1;
        for (int32_t i = 0; i < w * h; ++i)
            for (int shift : {16, 8, 0})
                if (std::abs(((rgb->data[i] >> shift) & 0xFF) - ((expected->data[i] >> shift) & 0xFF)) > TOLERANCE) {
                    if (first < 0) first = i;
                    ++differing;
                    break;
                }
        EXPECT_EQ(differing, 0) << "first at " << first % w << "," << first / w;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScales, ScreenGoldenTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "High" : "Low"; });

}  // namespace
