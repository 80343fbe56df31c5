#include "tools/bundle/ArtWidgets.h"

#include <cairo.h>

#include <cmath>

namespace bundle::widgets {

namespace {

using S = ArtStyle;

struct Shades {
    Colour top, bottom;
};

Shades shadesOf(Look look) {
    switch (look) {
        case Look::Pressed: return {S::pressedTop, S::pressedBottom};
        case Look::Right: return {S::rightTop, S::rightBottom};
        case Look::Wrong: return {S::wrongTop, S::wrongBottom};
        case Look::Normal: break;
    }
    return {S::buttonTop, S::buttonBottom};
}

Colour medalColour(Medal medal) {
    return medal == Medal::Gold ? S::gold : medal == Medal::Silver ? S::silver : S::bronze;
}

Colour darker(Colour c, double by) { return {c.r * by, c.g * by, c.b * by, c.a}; }
Colour lighter(Colour c, double by) { return {c.r + (1 - c.r) * by, c.g + (1 - c.g) * by, c.b + (1 - c.b) * by, c.a}; }

void drawIcon(ArtCanvas& c, double cx, double cy, double r, BarIcon icon, Colour ink) {
    cairo_t* cr = c.cr();
    switch (icon) {
        case BarIcon::Hint:  // a light bulb
            c.circle(cx, cy - r * 0.25, r * 0.62);
            c.fillPath(ink);
            c.roundedRect(cx - r * 0.3, cy + r * 0.3, r * 0.6, r * 0.5, r * 0.12);
            c.fillPath(ink);
            break;
        case BarIcon::Skip:  // two chevrons
        case BarIcon::Next:
            for (int k = 0; k < (icon == BarIcon::Skip ? 2 : 1); ++k) {
                const double x = cx - r * (icon == BarIcon::Skip ? 0.75 : 0.3) + k * r * 0.8;
                cairo_move_to(cr, x, cy - r * 0.7);
                cairo_line_to(cr, x + r * 0.7, cy);
                cairo_line_to(cr, x, cy + r * 0.7);
                cairo_close_path(cr);
                c.fillPath(ink);
            }
            break;
        case BarIcon::Info:
            c.circle(cx, cy - r * 0.62, r * 0.17);
            c.fillPath(ink);
            c.roundedRect(cx - r * 0.15, cy - r * 0.3, r * 0.3, r * 1.05, r * 0.08);
            c.fillPath(ink);
            break;
        case BarIcon::Menu:  // three bars
            for (int k = -1; k <= 1; ++k) {
                c.roundedRect(cx - r * 0.7, cy + k * r * 0.5 - r * 0.13, r * 1.4, r * 0.26, r * 0.1);
                c.fillPath(ink);
            }
            break;
        case BarIcon::Back:  // an arrow to the left
            cairo_move_to(cr, cx - r * 0.8, cy);
            cairo_line_to(cr, cx - r * 0.1, cy - r * 0.65);
            cairo_line_to(cr, cx - r * 0.1, cy - r * 0.25);
            cairo_line_to(cr, cx + r * 0.75, cy - r * 0.25);
            cairo_line_to(cr, cx + r * 0.75, cy + r * 0.25);
            cairo_line_to(cr, cx - r * 0.1, cy + r * 0.25);
            cairo_line_to(cr, cx - r * 0.1, cy + r * 0.65);
            cairo_close_path(cr);
            c.fillPath(ink);
            break;
        case BarIcon::Units:  // a list of three rows
            for (int k = -1; k <= 1; ++k) {
                c.circle(cx - r * 0.6, cy + k * r * 0.55, r * 0.14);
                c.fillPath(ink);
                c.roundedRect(cx - r * 0.35, cy + k * r * 0.55 - r * 0.12, r * 1.1, r * 0.24, r * 0.1);
                c.fillPath(ink);
            }
            break;
    }
}

const char* captionOf(BarIcon icon) {
    switch (icon) {
        case BarIcon::Hint: return "Hint";
        case BarIcon::Skip: return "Skip";
        case BarIcon::Info: return "Info";
        case BarIcon::Menu: return "Menu";
        case BarIcon::Back: return "Back";
        case BarIcon::Units: return "Units";
        case BarIcon::Next: return "Next";
    }
    return "";
}

}  // namespace

void screenBackground(ArtCanvas& c, double x, double y, double w, double h) {
    c.verticalGradient(x, y, w, h, S::backgroundTop, S::backgroundBottom);
    // Faint diagonal light rays give the plain gradient some depth.
    cairo_t* cr = c.cr();
    for (int k = 0; k < 6; ++k) {
        const double left = x - 120 + k * 90;
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, left + 40, y);
        cairo_line_to(cr, left + 40 + h * 0.45, y + h);
        cairo_line_to(cr, left + h * 0.45, y + h);
        cairo_close_path(cr);
        c.fillPath(Colour::rgb(0xFFFFFF, 0.025));
    }
}

void statusStrip(ArtCanvas& c, double w) {
    cairo_rectangle(c.cr(), 0, 0, w, 17);
    c.fillPath(S::statusStrip);
    cairo_rectangle(c.cr(), 0, 16, w, 1);
    c.fillPath(S::accent.withAlpha(0.6));
}

void titleBand(ArtCanvas& c, double top, double w, double h, const std::string& title) {
    c.verticalGradient(0, top, w, h, Colour::rgb(0x24528A), Colour::rgb(0x173761));
    cairo_rectangle(c.cr(), 0, top + h - 2, w, 2);
    c.fillPath(S::accent);
    c.text(title, w / 2 + 1, top + h / 2 + S::titleSize * 0.36 + 1, S::titleSize, S::shadow, ArtCanvas::Align::Centre);
    c.text(title, w / 2, top + h / 2 + S::titleSize * 0.36, S::titleSize, S::lightInk, ArtCanvas::Align::Centre);
}

void panel(ArtCanvas& c, double x, double y, double w, double h) {
    c.plate(x, y, w, h, S::cornerRadius, S::panelTop, S::panelBottom, S::panelEdge);
}

void buttonFace(ArtCanvas& c, double x, double y, double w, double h, Look look) {
    const Shades shades = shadesOf(look);
    const double in = S::inset;
    c.plate(x + in, y + in, w - 2 * in - S::shadowOffset, h - 2 * in - S::shadowOffset, S::cornerRadius, shades.top,
            shades.bottom, S::buttonEdge);
    c.gloss(x + in, y + in, w - 2 * in - S::shadowOffset, h - 2 * in - S::shadowOffset, S::cornerRadius);
}

void barButton(ArtCanvas& c, double x, double y, double w, double h, BarIcon icon, Look look) {
    buttonFace(c, x, y, w, h, look);
    const Colour ink = S::ink;
    const double iconSize = std::min(w, h) * 0.24;
    drawIcon(c, x + w / 2 - 1, y + h * 0.4, iconSize, icon, ink);
    c.text(captionOf(icon), x + w / 2 - 1, y + h - 12, S::smallSize, ink, ArtCanvas::Align::Centre);
}

void medalStar(ArtCanvas& c, double cx, double cy, double radius, Medal medal) {
    const Colour colour = medalColour(medal);
    c.star(cx + radius * 0.06, cy + radius * 0.08, radius, radius * 0.45);
    c.fillPath(S::shadow);
    c.star(cx, cy, radius, radius * 0.45);
    c.fillPathGradient(cy - radius, cy + radius, lighter(colour, 0.45), darker(colour, 0.8));
    c.star(cx, cy, radius, radius * 0.45);
    c.strokePath(darker(colour, 0.5), std::max(S::thinStroke, radius * 0.06));
    c.star(cx, cy, radius * 0.45, radius * 0.22);
    c.fillPath(Colour::rgb(0xFFFFFF, 0.35));
}

void rankBadge(ArtCanvas& c, double x, double y, double size, int rank) {
    // Four tiers of seven ranks (bronze, silver, gold, sapphire) and a crowned top tier; within a tier
    // the count of pips grows, and every badge carries its number.
    static const Colour tiers[] = {S::bronze, S::silver, S::gold, Colour::rgb(0x5BA8F0), Colour::rgb(0xD65BF0)};
    const int tier = std::min((rank - 1) / 7, 4);
    const int pips = (rank - 1) % 7 + 1;
    const Colour metal = tiers[tier];
    // A crowned badge is smaller and lower, so that its crown stays inside the square.
    const bool crowned = tier == 4;
    const double cx = x + size / 2, cy = y + size * (crowned ? 0.53 : 0.5), r = size * (crowned ? 0.4 : 0.44);
    cairo_t* cr = c.cr();
    // A shield: flat top, pointed bottom; the sides of higher tiers have more facets.
    auto shield = [&](double dx, double dy, double scale) {
        const double rr = r * scale;
        cairo_new_sub_path(cr);
        cairo_move_to(cr, cx + dx - rr * 0.85, cy + dy - rr * 0.9);
        cairo_line_to(cr, cx + dx + rr * 0.85, cy + dy - rr * 0.9);
        cairo_line_to(cr, cx + dx + rr * 0.85, cy + dy + rr * (tier >= 2 ? 0.05 : 0.2));
        if (tier >= 2) cairo_line_to(cr, cx + dx + rr * 0.6, cy + dy + rr * 0.55);
        cairo_line_to(cr, cx + dx, cy + dy + rr);
        if (tier >= 2) cairo_line_to(cr, cx + dx - rr * 0.6, cy + dy + rr * 0.55);
        cairo_line_to(cr, cx + dx - rr * 0.85, cy + dy + rr * (tier >= 2 ? 0.05 : 0.2));
        cairo_close_path(cr);
    };
    shield(size * 0.025, size * 0.03, 1);
    c.fillPath(S::shadow);
    shield(0, 0, 1);
    c.fillPathGradient(cy - r, cy + r, lighter(metal, 0.4), darker(metal, 0.7));
    shield(0, 0, 1);
    c.strokePath(darker(metal, 0.45), size * 0.03);
    shield(0, 0, 0.78);
    c.fillPathGradient(cy - r, cy + r, S::buttonBottom, S::backgroundTop);
    if (crowned) {
        cairo_move_to(cr, cx - r * 0.5, cy - r * 0.95);
        cairo_line_to(cr, cx - r * 0.5, cy - r * 1.2);
        cairo_line_to(cr, cx - r * 0.25, cy - r * 1.05);
        cairo_line_to(cr, cx, cy - r * 1.25);
        cairo_line_to(cr, cx + r * 0.25, cy - r * 1.05);
        cairo_line_to(cr, cx + r * 0.5, cy - r * 1.2);
        cairo_line_to(cr, cx + r * 0.5, cy - r * 0.95);
        cairo_close_path(cr);
        c.fillPath(S::gold);
    }
    const std::string number = std::to_string(rank);
    c.text(number, cx, cy + r * 0.42, rank < 10 ? r * 0.72 : r * 0.6, lighter(metal, 0.2), ArtCanvas::Align::Centre);
    // Pips in an arc above the number.
    for (int k = 0; k < pips; ++k) {
        const double angle = M_PI * (1.2 + 0.6 * (pips == 1 ? 0.5 : static_cast<double>(k) / (pips - 1)));
        c.star(cx + std::cos(angle) * r * 0.52, cy + 0.05 * r + std::sin(angle) * r * 0.52, r * 0.1, r * 0.045);
        c.fillPath(lighter(metal, 0.5));
    }
}

void numberBadge(ArtCanvas& c, double size, int digit) {
    const double cx = size / 2, cy = size / 2, r = size / 2 - 1.5;
    if (digit < 0) {  // the flash: a bright ring with rays
        c.star(cx, cy, r + 1, r * 0.72, 12);
        c.fillPath(S::pressedTop.withAlpha(0.85));
        c.circle(cx, cy, r * 0.72);
        c.fillPath(Colour::rgb(0xFFFFFF, 0.0));
        cairo_set_operator(c.cr(), CAIRO_OPERATOR_CLEAR);
        c.circle(cx, cy, r * 0.62);
        c.fillPath(S::ink);
        cairo_set_operator(c.cr(), CAIRO_OPERATOR_OVER);
        return;
    }
    c.circle(cx + 0.8, cy + 1, r);
    c.fillPath(S::shadow);
    c.circle(cx, cy, r);
    c.fillPathGradient(cy - r, cy + r, S::wrongTop, S::wrongBottom);
    c.circle(cx, cy, r - 0.75);
    c.strokePath(S::lightInk, 1.5);
    c.text(std::to_string(digit), cx, cy + size * 0.21, size * 0.6, S::lightInk, ArtCanvas::Align::Centre);
}

void twinkle(ArtCanvas& c, double size, int frame, Colour colour) {
    // Four frames of one sparkle: it swells, turns and fades.
    static const double scales[] = {0.55, 0.85, 1.0, 0.7};
    static const double turns[] = {0, M_PI / 8, M_PI / 4, 3 * M_PI / 8};
    const double cx = size / 2, cy = size / 2, r = size / 2 * scales[frame];
    c.circle(cx, cy, r * 0.75);
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 0.75);
    cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(c.cr(), glow);
    cairo_fill(c.cr());
    cairo_pattern_destroy(glow);
    c.star(cx, cy, r, r * 0.22, 4, turns[frame]);
    c.fillPath(colour);
    c.circle(cx, cy, r * 0.18);
    c.fillPath(Colour::rgb(0xFFFFFF));
}

void loadingFrame(ArtCanvas& c, double size, int frame) {
    const double cx = size / 2, cy = size / 2, ring = size * 0.36;
    for (int k = 0; k < 8; ++k) {
        const double angle = -M_PI / 2 + k * M_PI / 4;
        const int age = (frame - k + 8) % 8;  // 0: the head of the turning trail
        const double alpha = age < 4 ? 1.0 - age * 0.22 : 0.2;
        c.circle(cx + std::cos(angle) * ring, cy + std::sin(angle) * ring, size * (age == 0 ? 0.11 : 0.085));
        c.fillPath((age == 0 ? S::accent : S::lightInk).withAlpha(alpha));
    }
}

void progressBoxes(ArtCanvas& c, double x, double y, double box, int lit, int total) {
    for (int k = 0; k < total; ++k) {
        const double left = x + k * (box + 4);
        c.roundedRect(left + 1, y + 1, box, box, 3);
        c.fillPath(S::shadow);
        c.roundedRect(left, y, box, box, 3);
        if (k < lit) {
            c.fillPathGradient(y, y + box, S::rightTop, S::rightBottom);
        } else {
            c.fillPath(S::backgroundTop.withAlpha(0.55));
        }
        c.roundedRect(left + 0.75, y + 0.75, box - 1.5, box - 1.5, 3);
        c.strokePath(S::lightInk, 1.5);
    }
}

}  // namespace bundle::widgets
