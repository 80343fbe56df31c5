// Where the demonstration canvas draws what, so that the end-to-end tests can check its pixels.
#pragma once

#include <cstdint>

namespace demo {

// Places and colours in 320 x 480 layout units (the canvas scales them to its width); the
// end-to-end tests read pixels at these places.
struct DemoLayout {
    static constexpr int32_t BACKGROUND = 0x1E1E28;
    static constexpr int32_t RED_BOX[4] = {20, 20, 120, 80};
    static constexpr int32_t RED = 0xE04040;
    static constexpr int32_t GREEN_DISC[4] = {180, 20, 100, 100};
    static constexpr int32_t GREEN = 0x40C040;
    static constexpr int32_t IMAGE_AT[2] = {20, 140};
    static constexpr int32_t IMAGE_SIZE = 64;  // 8 x 8 cells of blue and white
    static constexpr int32_t IMAGE_BLUE = 0x3050D0;
    static constexpr int32_t IMAGE_WHITE = 0xFFFFFF;
    static constexpr int32_t BUTTON[4] = {60, 300, 200, 80};
    static constexpr int32_t BUTTON_IDLE = 0x606060;
    static constexpr int32_t BUTTON_HELD = 0x4060E0;
    static constexpr int32_t BUTTON_ACTIVATED = 0x40C040;
    // One square per activation (at most 10) below the button, one per resume below those.
    static constexpr int32_t ACTIVATIONS_ROW = 392;
    static constexpr int32_t RESUMES_ROW = 420;
    static constexpr int32_t COUNT_STEP = 20;
    static constexpr int32_t COUNT_SIZE = 12;
    static constexpr int32_t COUNT_WHITE = 0xFFFFFF;
    static constexpr int32_t RESUME_ORANGE = 0xFF9020;
    static constexpr int32_t FINGER = 0xFFE000;
    static constexpr int32_t FINGER_SIZE = 20;
};

}  // namespace demo
