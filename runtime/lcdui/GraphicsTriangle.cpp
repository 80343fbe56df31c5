// Filled triangles as single-row fills stepped in 10-bit fixed point, visiting only rows inside the clip.
#include <algorithm>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsArithmetic.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;

namespace {
struct Vertex {
    int64_t x;
    int64_t y;
};
}  // namespace

void Graphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    const Vertex p1{x1, y1}, p2{x2, y2}, p3{x3, y3};
    Vertex t, m, b;
    if (y1 < y2) {
        if (y1 >= y3) {
            t = p3, m = p1, b = p2;
        } else if (y2 >= y3) {
            t = p1, m = p3, b = p2;
        } else {
            t = p1, m = p2, b = p3;
        }
    } else if (y2 >= y3) {
        t = p3, m = p2, b = p1;
    } else if (y1 >= y3) {
        t = p2, m = p3, b = p1;
    } else {
        t = p2, m = p1, b = p3;
    }
    if (t.y == b.y || clipIsEmpty()) return;

    const bool leftBend = mulDiv(b.x - t.x, m.y - t.y, b.y - t.y) + t.x > m.x;
    const int64_t visibleTop = static_cast<int64_t>(m_clipY) - m_translateY;
    const int64_t visibleBottom = visibleTop + m_clipHeight - 1;
    const int64_t visibleLeft = static_cast<int64_t>(m_clipX) - m_translateX;
    const int64_t visibleRight = visibleLeft + m_clipWidth - 1;

    // One row from the fixed-point edges; cut to the clip so the fillRect arguments stay 32-bit.
    auto span = [&](int64_t row, int64_t xl, int64_t xr) {
        int64_t left = xl >> 10, right = xr >> 10;
        if (right < left) return;
        left = std::max(left, visibleLeft);
        right = std::min(right, visibleRight);
        if (left > right || !fits32(left) || !fits32(row)) return;
        fillRect(static_cast<int32_t>(left), static_cast<int32_t>(row), static_cast<int32_t>(right - left + 1), 1);
    };

    if (t.y != m.y) {
        const int64_t longSlope = (b.x - t.x) * 1024 / (b.y - t.y);
        const int64_t shortSlope = (m.x - t.x) * 1024 / (m.y - t.y);
        const int64_t leftSlope = leftBend ? shortSlope : longSlope;
        const int64_t rightSlope = leftBend ? longSlope : shortSlope;
        const int64_t first = std::max(t.y, visibleTop), last = std::min(m.y, visibleBottom);
        for (int64_t row = first; row <= last; ++row) {
            const int64_t k = row - t.y;
            span(row, t.x * 1024 + leftSlope * k, t.x * 1024 + rightSlope * k);
        }
    }
    if (m.y != b.y) {
        const int64_t longSlope = (t.x - b.x) * 1024 / (t.y - b.y);
        const int64_t shortSlope = (m.x - b.x) * 1024 / (m.y - b.y);
        const int64_t leftSlope = leftBend ? shortSlope : longSlope;
        const int64_t rightSlope = leftBend ? longSlope : shortSlope;
        const int64_t first = std::min(b.y, visibleBottom), last = std::max(m.y, visibleTop);
        for (int64_t row = first; row >= last; --row) {
            const int64_t k = b.y - row;
            span(row, b.x * 1024 - leftSlope * k, b.x * 1024 - rightSlope * k);
        }
    }
}

}  // namespace javax::microedition::lcdui
