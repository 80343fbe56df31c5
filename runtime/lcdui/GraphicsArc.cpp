// Arcs: outlines as chains of chords, filled arcs as horizontal spans on the rows inside the clip.
#include <algorithm>
#include <cmath>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsArithmetic.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;

namespace {

double toRadians(double degrees) { return degrees * M_PI / 180.0; }

// A negative sweep runs the other way from its end; 64 bits so that negating INT_MIN is safe.
void normaliseSweep(int64_t& start, int64_t& sweep) {
    if (sweep < 0) {
        start += sweep;
        sweep = -sweep;
    }
}

}  // namespace

void Graphics::drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) {
    int64_t start = startAngle, sweep = arcAngle;
    normaliseSweep(start, sweep);
    if (sweep == 0 || w <= 0 || h <= 0) return;
    // Every step divides 360, so turns beyond the second repeat the same chords.
    if (sweep > 720) sweep = 360 + sweep % 360;
    const int64_t step = std::min<int64_t>(512 / std::max(w, h) + 1, 5);
    auto pointAt = [&](int64_t angle, int32_t& px, int32_t& py) {
        const double theta = toRadians(static_cast<double>(angle));
        px = sat32(x + truncBounded(0.5 + w * (0.5 + 0.5 * std::cos(theta))));
        py = sat32(y + truncBounded(0.5 + h * (0.5 - 0.5 * std::sin(theta))));
    };
    int32_t prevX, prevY;
    pointAt(start, prevX, prevY);
    int64_t i = step;
    do {
        const int64_t t = std::min(sweep, i);
        int32_t nextX, nextY;
        pointAt(start + t, nextX, nextY);
        drawLine(prevX, prevY, nextX, nextY);
        prevX = nextX;
        prevY = nextY;
        i = t + step;
    } while (i < sweep + step);
}

// Draws [left, right] of a row given in untranslated coordinates, cut to the clip first so that
// the numbers handed to drawLine stay 32-bit whatever the shape's size.
void Graphics::fillArcRow(int64_t row, int64_t left, int64_t right) {
    if (left > right) return;
    const int64_t visibleLeft = static_cast<int64_t>(m_clipX) - m_translateX;
    const int64_t visibleRight = visibleLeft + m_clipWidth - 1;
    left = std::max(left, visibleLeft);
    right = std::min(right, visibleRight);
    if (left > right || !fits32(left) || !fits32(right) || !fits32(row)) return;
    drawLine(static_cast<int32_t>(left), static_cast<int32_t>(row), static_cast<int32_t>(right),
             static_cast<int32_t>(row));
}

void Graphics::fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) {
    int64_t start = startAngle, sweep = arcAngle;
    normaliseSweep(start, sweep);
    if (w <= 0 || h <= 0 || clipIsEmpty()) return;
    const int64_t cx = static_cast<int64_t>(x) + (w >> 1);
    const int64_t hh = h >> 1;
    // Only the rows inside the clip are visited, so a huge ellipse costs no more than the clip.
    const int64_t firstRow = std::max<int64_t>(y, static_cast<int64_t>(m_clipY) - m_translateY);
    const int64_t lastRow =
        std::min<int64_t>(static_cast<int64_t>(y) + 2 * hh, static_cast<int64_t>(m_clipY) + m_clipHeight - 1 - m_translateY);

    const double theta1 = toRadians(static_cast<double>(start)) + 0.001;
    const double theta2 = theta1 + toRadians(static_cast<double>(sweep));
    const double s1 = -std::sin(theta1), s2 = -std::sin(theta2);
    const double k1 = std::cos(theta1) * w / (s1 * h), k2 = std::cos(theta2) * w / (s2 * h);
    const double hd = h, wd = w;

    for (int64_t row = firstRow; row <= lastRow; ++row) {
        const int64_t dy = row - y - hh;
        const double twoDy = 2.0 * static_cast<double>(dy);
        const double inside = std::max(0.0, hd * hd - twoDy * twoDy);
        const int64_t half = truncBounded(std::sqrt(inside) * wd / (2.0 * hd));
        int64_t left = cx - half, right = cx + half;
        if (sweep == 360) {
            fillArcRow(row, left, right);
            continue;
        }
        const int64_t xs = cx + truncBounded(k1 * static_cast<double>(dy));
        const int64_t xe = cx + truncBounded(k2 * static_cast<double>(dy));
        bool empty = false;
        if (dy <= 0) {
            if (s1 >= 0 && s2 >= 0) {
                empty = k1 < k2;
            } else if (s1 < 0 && s2 > 0) {
                right = std::min(right, xs);
            } else if (s1 > 0 && s2 < 0) {
                left = std::max(left, xe);
            } else if (k2 < k1) {
                if (left < xs) fillArcRow(row, left, xs);
                left = xe;
            } else {
                left = std::max(left, xe);
                right = std::min(right, xs);
            }
        }
        if (!empty && dy >= 0) {
            if (s1 <= 0 && s2 <= 0) {
                empty = k1 < k2;
            } else if (s1 < 0 && s2 > 0) {
                right = std::min(right, xe);
            } else if (s1 >= 0 && s2 < 0) {
                left = std::max(left, xs);
            } else if (k2 < k1) {
                if (left < xe) fillArcRow(row, left, xe);
                left = xs;
            } else {
                left = std::max(left, xs);
                right = std::min(right, xe);
            }
        }
        if (!empty) fillArcRow(row, left, right);
    }
}

}  // namespace javax::microedition::lcdui
