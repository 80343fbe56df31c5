// The one palette and the shape rules every drawn image of the bundle follows, in layout units
// (320 x 480); the renderer multiplies them by the scale.
#pragma once

#include <cstdint>

namespace bundle {

struct Colour {
    double r, g, b, a = 1.0;
    static constexpr Colour rgb(uint32_t hex, double alpha = 1.0) {
        return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
    }
    constexpr Colour withAlpha(double alpha) const { return {r, g, b, alpha}; }
};

struct ArtStyle {
    // Backgrounds: a deep night blue that lightens towards the bottom.
    static constexpr Colour backgroundTop = Colour::rgb(0x10223F);
    static constexpr Colour backgroundBottom = Colour::rgb(0x1E4C7A);
    static constexpr Colour statusStrip = Colour::rgb(0x0A1528);
    // Panels and plates that hold text.
    static constexpr Colour panelTop = Colour::rgb(0xF7F3E8);
    static constexpr Colour panelBottom = Colour::rgb(0xE4DCC8);
    static constexpr Colour panelEdge = Colour::rgb(0x8C7A55);
    static constexpr Colour ink = Colour::rgb(0x1B2333);  // also the ink of both bitmap fonts
    static constexpr Colour lightInk = Colour::rgb(0xF4F7FB);
    // Buttons by look: light faces, so that the fonts' dark ink reads on every one of them.
    static constexpr Colour buttonTop = Colour::rgb(0xF2F7FF);
    static constexpr Colour buttonBottom = Colour::rgb(0xB4CFF0);
    static constexpr Colour pressedTop = Colour::rgb(0xFFE59A);
    static constexpr Colour pressedBottom = Colour::rgb(0xF2AE3C);
    static constexpr Colour rightTop = Colour::rgb(0xD2F5B5);
    static constexpr Colour rightBottom = Colour::rgb(0x79CC55);
    static constexpr Colour wrongTop = Colour::rgb(0xFFC4BA);
    static constexpr Colour wrongBottom = Colour::rgb(0xEB6A5C);
    static constexpr Colour ghost = Colour::rgb(0x0A1528, 0.62);
    static constexpr Colour buttonEdge = Colour::rgb(0x0E2747);
    static constexpr Colour highlight = Colour::rgb(0xFFFFFF, 0.35);
    // Medals.
    static constexpr Colour bronze = Colour::rgb(0xC9803D);
    static constexpr Colour silver = Colour::rgb(0xC8D0DA);
    static constexpr Colour gold = Colour::rgb(0xF5C542);
    static constexpr Colour accent = Colour::rgb(0xFFB43C);

    // Shape rules.
    static constexpr double cornerRadius = 10;
    static constexpr double smallCornerRadius = 6;
    static constexpr double stroke = 2;
    static constexpr double thinStroke = 1;
    static constexpr double shadowOffset = 2;
    static constexpr Colour shadow = Colour::rgb(0x000000, 0.35);
    static constexpr double inset = 3;  // between an image's edge and the shape it holds (room for the shadow)

    // Type sizes (pixels at layout scale) for text drawn into images.
    static constexpr double titleSize = 26;
    static constexpr double headingSize = 18;
    static constexpr double labelSize = 14;
    static constexpr double bodySize = 12.5;
    static constexpr double smallSize = 11;
};

}  // namespace bundle
