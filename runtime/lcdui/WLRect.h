// A rectangle of four signed 32-bit values, shrunk in place by clipping and read by the blitters.
#pragma once

#include <cstdint>

namespace javax::microedition::lcdui {

struct WLRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
};

}  // namespace javax::microedition::lcdui
