// The pixel word (red in the low byte, then green, blue, straight alpha) and its conversions and blends.
#pragma once

#include <cstdint>

namespace javax::microedition::lcdui {

// 0xRRGGBB drawing colour to an opaque pixel word; the top byte of the colour is ignored.
inline uint32_t pixelFromRGB(int32_t rgb) {
    const auto c = static_cast<uint32_t>(rgb);
    return ((c >> 16) & 0xFFu) | (c & 0xFF00u) | ((c & 0xFFu) << 16) | 0xFF000000u;
}

// 0xAARRGGBB to a pixel word keeping alpha: red and blue trade places. The reverse is the same swap.
inline uint32_t pixelFromARGB(int32_t argb) {
    const auto c = static_cast<uint32_t>(argb);
    return ((c >> 16) & 0xFFu) | ((c & 0xFFu) << 16) | (c & 0xFF00FF00u);
}
inline int32_t argbFromPixel(uint32_t pixel) { return static_cast<int32_t>(pixelFromARGB(static_cast<int32_t>(pixel))); }

// Moves each colour channel of d toward s by factor/256 (floor), factor 0 to 256; d keeps its alpha.
// d + floor((s - d) * f / 256) equals floor((d * (256 - f) + s * f) / 256), whose terms are never
// negative, so red and blue can share one multiply without borrowing from each other.
inline uint32_t mixChannels(uint32_t d, uint32_t s, uint32_t factor) {
    const uint32_t keep = 256 - factor;
    const uint32_t redBlue = (((d & 0xFF00FFu) * keep + (s & 0xFF00FFu) * factor) >> 8) & 0xFF00FFu;
    const uint32_t green = (((d & 0xFF00u) * keep + (s & 0xFF00u) * factor) >> 8) & 0xFF00u;
    return (d & 0xFF000000u) | redBlue | green;
}

// Source-over with the source's straight alpha a: 0 keeps d, 255 takes s, else (a + 1)/256 of the way
// keeping d's alpha. Written without branches so that rows of pixels vectorise.
inline uint32_t blendPixel(uint32_t d, uint32_t s) {
    const uint32_t a = s >> 24;
    const uint32_t factor = a + (a != 0);
    const uint32_t mixed = mixChannels(d, s, factor);
    return a == 255 ? s : mixed;
}

// Glyph coverage c over d in the pixel colour: factor c (not c + 1), so coverage 255 must be exact separately.
inline uint32_t coverPixel(uint32_t d, uint32_t colour, uint32_t coverage) {
    if (coverage == 0) return d;
    if (coverage == 255) return colour;
    return mixChannels(d, colour, coverage);
}

}  // namespace javax::microedition::lcdui
