// Touches in view points become surface pixels, reach the runtime only while input is on, and a
// touch the system takes away is released where it acts on nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/TouchInput.h"
#include "platform/PlatformState.h"

namespace {

using Calls = std::vector<std::string>;

struct Recorder {
    Calls calls;
    TouchInput::EntryPoints entryPoints() {
        const auto record = [this](const char* name) {
            return [this, name](int32_t x, int32_t y) {
                calls.push_back(std::string(name) + " " + std::to_string(x) + " " + std::to_string(y));
            };
        };
        return {record("down"), record("dragged"), record("up")};
    }
};

class TouchInputTest : public testing::Test {
protected:
    void SetUp() override {
        platform::sendInputsPlease = true;
        platform::shiftScale = 1;
    }
    void TearDown() override {
        platform::sendInputsPlease = false;
        platform::shiftScale = 0;
    }
    Recorder recorder;
    TouchInput touches{recorder.entryPoints()};
};

TEST(PixelFromPoint, TruncatesThenShiftsByTheRetinaScale) {
    struct Case {
        double point;
        int32_t shift;
        int32_t pixel;
    };
    const Case cases[] = {
        {12.7, 1, 24}, {30.2, 1, 60}, {479.5, 1, 958}, {0.5, 1, 0}, {319.99, 1, 638}, {160.5, 1, 320},
        {12.7, 0, 12}, {479.5, 0, 479}, {0.5, 0, 0},   {319.99, 0, 319}, {160.5, 0, 160},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pixelFromPoint(c.point, c.shift), c.pixel) << c.point << " shifted by " << c.shift;
}

TEST_F(TouchInputTest, OneTouchArrivesAsDownDragAndUpInPixels) {
    touches.touchesBegan(12.7, 30.2);
    touches.touchesMoved(20.5, 40.5);
    touches.touchesEnded(21.9, 41.1);
    EXPECT_EQ(recorder.calls, (Calls{"down 24 60", "dragged 40 80", "up 42 82"}));
    EXPECT_FALSE(touches.isHeld());
}

TEST_F(TouchInputTest, ATouchThatBeganWhileInputWasOffIsNeverDeliveredNotEvenItsEnd) {
    platform::sendInputsPlease = false;
    touches.touchesBegan(10, 10);
    platform::sendInputsPlease = true;
    touches.touchesMoved(11, 11);
    touches.touchesEnded(12, 12);
    touches.touchesCancelled();
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(TouchInputTest, ACancelledTouchIsReleasedOutsideTheScreenOnce) {
    touches.touchesBegan(100, 200);
    touches.touchesCancelled();
    touches.touchesCancelled();
    // The finger's own release comes later and finds nothing held.
    touches.touchesEnded(100, 200);
    EXPECT_EQ(recorder.calls, (Calls{"down 200 400", "up -1 -1"}));
}

}  // namespace
