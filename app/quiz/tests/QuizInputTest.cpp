// The tilt listener's batches, and the practice lists under a finger: coasting, the pull back at
// the ends, the back button and a resting tap.
#include <gtest/gtest.h>

#include <optional>

#include "app/quiz/tests/QuizCanvas.h"
#include "runtime/io/tests/TestDirectories.h"
#include "runtime/sensor/DataImpl.h"
#include "runtime/sensor/channelinfo_internal.h"

namespace {

using H = HookCanvas;
namespace sensor = javax::microedition::sensor;

struct Channel {
    int32_t index;  // channelinfo_internal's: which of roll and pitch
    std::vector<double> values;
};

JavaPtr<JArray<sensor::Data>> batch(const std::vector<Channel>& channels) {
    auto data = java::lang::jnew<JArray<sensor::Data>>(static_cast<int32_t>(channels.size()));
    for (size_t i = 0; i < channels.size(); ++i) {
        auto values = java::lang::jnew<JArray<double>>(static_cast<int32_t>(channels[i].values.size()));
        for (size_t k = 0; k < channels[i].values.size(); ++k) values->data[k] = channels[i].values[k];
        data->data[i] = java::lang::jnew<sensor::DataImpl>(java::lang::jnew<sensor::channelinfo_internal>(channels[i].index),
                                                           values, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    return data;
}

class TiltSteering : public TestDirectories {};

TEST_F(TiltSteering, KeepsTheLastRollAndPitchOnlyFromABatchHoldingBothAndNotBothZero) {
    const int32_t roll = 1;
    const int32_t pitch = 0;
    struct Case {
        const char* name;
        std::vector<Channel> channels;
        int32_t roll;
        int32_t pitch;
    };
    const Case cases[] = {
        {"the last sample of each", {{roll, {0.5, 0.25}}, {pitch, {-0.1}}}, 256, -102},
        {"in either order", {{pitch, {0.1}}, {roll, {-1.0}}}, -1024, 102},
        {"both zero after scaling", {{roll, {0.0}}, {pitch, {0.0005}}}, 7, 9},
        {"one channel only", {{roll, {0.5}}}, 7, 9},
        {"a channel without values", {{roll, {}}, {pitch, {0.5}}}, 7, 9},
        {"no channels", {}, 7, 9},
    };
    QuizWorld world(documents);
    for (const Case& c : cases) {
        H::tilt_roll = 7;
        H::tilt_pitch = 9;
        world.canvas->dataReceived(nullptr, batch(c.channels), false);
        EXPECT_EQ(H::tilt_roll.load(), c.roll) << c.name;
        EXPECT_EQ(H::tilt_pitch.load(), c.pitch) << c.name;
    }
}

class PracticeList : public TestDirectories {
protected:
    void SetUp() override {
        TestDirectories::SetUp();
        world.emplace(documents);
        H::game_state = H::GAMESTATE_CHOOSE_SUBSECTION;
        H::scroller_buttonClickWidth = QuizCanvas::IMAGE_WIDTH;
        H::scroller_buttonClickHeight = QuizCanvas::IMAGE_HEIGHT;
        H::scroller_items_in_menu = 10;
        H::scroller_menu_drag_distance = 6 * (QuizCanvas::IMAGE_HEIGHT + 5);
        H::scroller_static_menus = false;
        H::scrolly_menu_yoffset = 0;
        H::weight_decay = 0;
        H::msfy = 0;
        H::was_dragging = false;
    }
    void TearDown() override {
        H::game_state = 0;
        H::pointer_pressed = false;
        H::pointer_repeated = false;
        world.reset();
        TestDirectories::TearDown();
    }
    // One update with the finger at (x, y), or lifted; the drawing's part of the back button after
    // it, unless no frame follows before the next update.
    void update(bool down, int32_t x = 0, int32_t y = 0, bool framed = true) {
        H::pointer_pressed = down;
        H::pointer_repeated = down;
        if (down) {
            H::pointer_x = x;
            H::pointer_y = y;
        }
        quiz().pointer_held_ms = down ? quiz().pointer_held_ms + 33 : 0;
        quiz().updatePracticeList();
        if (framed && quiz().list_back_hover) quiz().list_back_pressed = true;
    }
    QuizCanvas& quiz() { return *world->canvas; }
    std::optional<QuizWorld> world;
};

TEST_F(PracticeList, AFlickCoastsHalvingThenSlowingByOneAndAnOverscrollComesBackIntoRange) {
    H::weight_decay = -40;
    std::vector<int32_t> offsets;
    for (int i = 0; i < 6; ++i) {
        update(false);
        offsets.push_back(H::scrolly_menu_yoffset);
    }
    EXPECT_EQ(offsets, (std::vector<int32_t>{-40, -60, -70, -79, -87, -94}));
    H::scrolly_menu_yoffset = 40;
    H::weight_decay = 0;
    for (int i = 0; i < 60; ++i) update(false);
    const int32_t settled = H::scrolly_menu_yoffset;
    update(false);
    EXPECT_EQ(H::scrolly_menu_yoffset, settled) << "at rest";
    EXPECT_LE(settled, 0);
    EXPECT_GE(settled, -H::scroller_menu_drag_distance);
    H::scroller_static_menus = true;
    H::scrolly_menu_yoffset = -30;
    update(false);
    EXPECT_EQ(H::scrolly_menu_yoffset, 0);
}

TEST_F(PracticeList, TheBackButtonActsOnlyWhenReleasedOnItAndATapNeedsARestingFinger) {
    // Hovered, then left: the release elsewhere stays on the list.
    update(true, 260, 410);
    update(true, 100, 300);
    update(true, 100, 300);
    update(false);
    EXPECT_TRUE(quiz().stateRequests.empty());
    // A touch shorter than 40 ms selects nothing; a resting one selects the item under it.
    H::scrolly_menu_yoffset = 0;
    H::weight_decay = 0;
    const int32_t itemX = 10 + 5;
    update(true, itemX, 10 + (QuizCanvas::IMAGE_HEIGHT + 5) * 2 + 5);
    update(false);
    EXPECT_EQ(quiz().list_selected_item, -1);
    update(true, itemX, 10 + (QuizCanvas::IMAGE_HEIGHT + 5) * 2 + 5);
    update(true, itemX, 10 + (QuizCanvas::IMAGE_HEIGHT + 5) * 2 + 5);
    update(false);
    EXPECT_EQ(quiz().list_selected_item, 2);
    // Released on the back button: back to the categories, also when no frame came between the
    // press and the release: then once a frame has shown the button pressed.
    const std::vector<int32_t> back{H::GAMESTATE_CHOOSE_CATEGORY | H::GAMESTATEFLAG_LOADING};
    update(true, 260, 410);
    update(false);
    EXPECT_EQ(quiz().stateRequests, back);
    quiz().stateRequests.clear();
    quiz().list_back_pressed = false;
    update(true, 260, 410, false);
    update(false, 0, 0, false);
    EXPECT_TRUE(quiz().stateRequests.empty()) << "not before the button was shown pressed";
    update(false);
    update(false);
    EXPECT_EQ(quiz().stateRequests, back);
}

TEST_F(PracticeList, ARestingFingerChoosesTheRowOnlyWhereTheRowIsDrawn) {
    // The rows are drawn from 10 points in, a button's width wide; the second row's middle height.
    const int32_t y = 10 + QuizCanvas::IMAGE_HEIGHT + 5 + QuizCanvas::IMAGE_HEIGHT / 2;
    const struct {
        int32_t x;
        int32_t item;
    } cases[] = {{9, -1}, {10, 1}, {10 + QuizCanvas::IMAGE_WIDTH - 1, 1}, {10 + QuizCanvas::IMAGE_WIDTH + 1, -1}};
    for (const auto& c : cases) {
        quiz().list_selected_item = -1;
        update(true, c.x, y);
        update(true, c.x, y);
        update(false);
        EXPECT_EQ(quiz().list_selected_item, c.item) << "x " << c.x;
    }
}

}  // namespace
