// Where the GL demonstration draws what, so that the end-to-end test can check its pixels.
#pragma once

#include <cstdint>

namespace demo {

// Places in 320 x 480 layout units from the top left; colours 0xRRGGBB as they reach the screen.
struct GLDemoLayout {
    static constexpr int32_t CLEAR = 0x101040;
    static constexpr int32_t TRIANGLE = 0x20E040;
    static constexpr int32_t TRIANGLE_PROBE[2] = {160, 260};  // inside; the corners stay CLEAR
    // Five textures of one colour each, drawn 80 units square: DXT1, DXT5, DXT3 in a DDS file,
    // RGBA in a PVR file, and PVRTC.
    static constexpr int32_t TEXTURE_SIDE = 80;
    static constexpr int32_t TEXTURE_AT[5][2] = {{20, 20}, {120, 20}, {220, 20}, {20, 120}, {120, 120}};
    // What each decodes to (the DXT colours carry the widening's low bits).
    static constexpr int32_t TEXTURE_COLOUR[5] = {0xFB0703, 0x03FF03, 0xFB07FB, 0xFF9020, 0x00FFFF};
    static constexpr int32_t CANVAS_BACKGROUND = 0x804020;
    static constexpr int32_t CANVAS_BOX[4] = {100, 200, 120, 80};
    static constexpr int32_t CANVAS_BOX_COLOUR = 0xFFFFFF;
};

}  // namespace demo
