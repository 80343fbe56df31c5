#include "tools/bundle/ArtCanvas.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>

namespace bundle {

namespace {

constexpr const char* kRegularFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kBoldFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The faces are opened once for the whole run and shared by every canvas.
struct Faces {
    FT_Library library = nullptr;
    cairo_font_face_t* regular = nullptr;
    cairo_font_face_t* bold = nullptr;

    Faces() {
        if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType does not start");
        regular = open(kRegularFace);
        bold = open(kBoldFace);
    }
    cairo_font_face_t* open(const char* path) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path, 0, &face) != 0) throw std::runtime_error(std::string("cannot open ") + path);
        return cairo_ft_font_face_create_for_ft_face(face, 0);
    }
};

Faces& faces() {
    static Faces shared;
    return shared;
}

}  // namespace

ArtCanvas::ArtCanvas(int width, int height, int scale)
    : m_width(width), m_height(height), m_scale(scale),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale)),
      m_cr(cairo_create(m_surface)) {
    if (width <= 0 || height <= 0 || cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("an image of " + std::to_string(width) + " x " + std::to_string(height) +
                                 " cannot be drawn");
    cairo_scale(m_cr, scale, scale);
    cairo_font_options_t* options = cairo_font_options_create();
    // Fixed options, so that the desktop's font settings never change the bundle's bytes.
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(m_cr, options);
    cairo_font_options_destroy(options);
}

ArtCanvas::~ArtCanvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

static void setSource(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void ArtCanvas::verticalGradient(double x, double y, double w, double h, Colour top, Colour bottom) {
    cairo_rectangle(m_cr, x, y, w, h);
    fillPathGradient(y, y + h, top, bottom);
}

void ArtCanvas::roundedRect(double x, double y, double w, double h, double radius) {
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(m_cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(m_cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(m_cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(m_cr);
}

void ArtCanvas::fillPath(Colour colour) {
    setSource(m_cr, colour);
    cairo_fill(m_cr);
}

void ArtCanvas::fillPathGradient(double y0, double y1, Colour top, Colour bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(m_cr, gradient);
    cairo_fill(m_cr);
    cairo_pattern_destroy(gradient);
}

void ArtCanvas::strokePath(Colour colour, double width) {
    setSource(m_cr, colour);
    cairo_set_line_width(m_cr, width);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(m_cr);
}

void ArtCanvas::plate(double x, double y, double w, double h, double radius, Colour top, Colour bottom, Colour edge) {
    const double s = ArtStyle::shadowOffset;
    roundedRect(x + s, y + s, w, h, radius);
    fillPath(ArtStyle::shadow);
    roundedRect(x, y, w, h, radius);
    fillPathGradient(y, y + h, top, bottom);
    const double half = ArtStyle::stroke / 2;
    roundedRect(x + half, y + half, w - 2 * half, h - 2 * half, radius - half);
    strokePath(edge, ArtStyle::stroke);
}

void ArtCanvas::gloss(double x, double y, double w, double h, double radius) {
    const double margin = ArtStyle::stroke + 1;
    roundedRect(x + margin, y + margin, w - 2 * margin, h * 0.45, radius - margin);
    fillPathGradient(y, y + h * 0.5, ArtStyle::highlight, ArtStyle::highlight.withAlpha(0.05));
}

void ArtCanvas::circle(double cx, double cy, double radius) {
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_close_path(m_cr);
}

void ArtCanvas::star(double cx, double cy, double outer, double inner, int points, double turn) {
    cairo_new_sub_path(m_cr);
    for (int k = 0; k < 2 * points; ++k) {
        const double angle = -M_PI / 2 + turn + k * M_PI / points;
        const double r = k % 2 == 0 ? outer : inner;
        if (k == 0) {
            cairo_move_to(m_cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
        } else {
            cairo_line_to(m_cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
        }
    }
    cairo_close_path(m_cr);
}

void ArtCanvas::selectFont(double size, Face face) {
    cairo_set_font_face(m_cr, face == Face::Bold ? faces().bold : faces().regular);
    cairo_set_font_size(m_cr, size);
}

double ArtCanvas::textWidth(const std::string& utf8, double size, Face face) {
    selectFont(size, face);
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, utf8.c_str(), &extents);
    return extents.x_advance;
}

double ArtCanvas::text(const std::string& utf8, double x, double baseline, double size, Colour colour, Align align,
                       Face face) {
    const double width = textWidth(utf8, size, face);
    if (align == Align::Centre) x -= width / 2;
    if (align == Align::Right) x -= width;
    cairo_move_to(m_cr, x, baseline);
    setSource(m_cr, colour);
    cairo_show_text(m_cr, utf8.c_str());
    cairo_new_path(m_cr);
    return width;
}

void ArtCanvas::centredLines(const std::vector<std::string>& lines, double cx, double cy, double size, Colour colour,
                             Face face) {
    selectFont(size, face);
    cairo_font_extents_t font;
    cairo_font_extents(m_cr, &font);
    const double step = size * 1.25;
    const double top = cy - step * static_cast<double>(lines.size()) / 2;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double baseline = top + step * static_cast<double>(i) + (step + font.ascent - font.descent) / 2;
        text(lines[i], cx, baseline, size, colour, Align::Centre, face);
    }
}

std::vector<uint32_t> ArtCanvas::pixels() const {
    cairo_surface_flush(m_surface);
    const int w = cairo_image_surface_get_width(m_surface), h = cairo_image_surface_get_height(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    std::vector<uint32_t> out(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            auto channel = [&](int shift) -> uint32_t {
                if (a == 0) return 0;
                return std::min<uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a);
            };
            out[static_cast<size_t>(y) * w + x] = a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
        }
    }
    return out;
}

}  // namespace bundle
