// The quiz's main font: the one face and size that the bundle builder rasterises and that every
// text fitted to the screen at build time is measured with.
#pragma once

namespace fonts {

struct MainFont {
    static constexpr const char* facePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    // Pixel size in 320 x 480 layout units; the retina font is rasterised at twice this.
    static constexpr int pixelSize = 13;
    // Layout scales the font exists at: the low screen and the retina screen.
    static constexpr int scales[] = {1, 2};
};

}  // namespace fonts
