// One image being drawn with cairo: shapes in layout units at a scale of 1 (the low screen) or 2 (the
// retina screen), text in the DejaVu faces through FreeType, and the finished pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/bundle/ArtStyle.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace bundle {

class ArtCanvas {
public:
    // width and height in layout units; the image is width x scale by height x scale pixels.
    ArtCanvas(int width, int height, int scale);
    ~ArtCanvas();
    ArtCanvas(const ArtCanvas&) = delete;
    ArtCanvas& operator=(const ArtCanvas&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    cairo_t* cr() const { return m_cr; }

    enum class Align { Left, Centre, Right };
    enum class Face { Regular, Bold };

    void verticalGradient(double x, double y, double w, double h, Colour top, Colour bottom);
    void roundedRect(double x, double y, double w, double h, double radius);  // the path only
    void fillPath(Colour colour);
    void fillPathGradient(double y0, double y1, Colour top, Colour bottom);
    void strokePath(Colour colour, double width);
    // A rounded plate with its drop shadow, gradient and edge.
    void plate(double x, double y, double w, double h, double radius, Colour top, Colour bottom, Colour edge);
    // The glossy band over the upper half of a plate.
    void gloss(double x, double y, double w, double h, double radius);
    void circle(double cx, double cy, double radius);
    // A five-pointed star path; inner is the radius of its inner corners.
    void star(double cx, double cy, double outer, double inner, int points = 5, double turn = 0);
    // Text on its baseline; returns the width drawn.
    double text(const std::string& utf8, double x, double baseline, double size, Colour colour,
                Align align = Align::Left, Face face = Face::Bold);
    // Text centred on (cx, cy) in each line's box, lines one size x 1.25 apart.
    void centredLines(const std::vector<std::string>& lines, double cx, double cy, double size, Colour colour,
                      Face face = Face::Bold);
    double textWidth(const std::string& utf8, double size, Face face = Face::Bold);

    // The pixels as 0xAARRGGBB, not premultiplied, row by row.
    std::vector<uint32_t> pixels() const;

private:
    void selectFont(double size, Face face);

    int m_width, m_height, m_scale;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

}  // namespace bundle
