// Rectangles, lines and rounded rectangles, and the two writers every shape ends in.
#include <algorithm>
#include <cstring>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsArithmetic.h"
#include "runtime/lcdui/GraphicsBackEnd.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;

namespace {
int64_t abs64(int64_t v) { return v < 0 ? -v : v; }
}  // namespace

void Graphics::myRectBlit(const WLRect& r) {
    if (r.isEmpty()) return;
    if (backEnd) {
        backEnd->rectBlit(*this, r);
        return;
    }
    myRectBlitSoftware(r);
}

void Graphics::myRectBlitSoftware(const WLRect& r) {
    if (!m_pixels || r.isEmpty()) return;
    if (r.x < 0 || r.y < 0 || r.x > m_targetWidth - r.width || r.y > m_targetHeight - r.height) return;
    uint32_t* first = m_pixels + static_cast<size_t>(r.y) * m_rowStride + r.x;
    if (r.width == 1) {
        for (int32_t row = 0; row < r.height; ++row) first[static_cast<size_t>(row) * m_rowStride] = m_pixelColour;
        return;
    }
    std::fill_n(first, r.width, m_pixelColour);
    const size_t bytes = static_cast<size_t>(r.width) * sizeof(uint32_t);
    for (int32_t row = 1; row < r.height; ++row) std::memcpy(first + static_cast<size_t>(row) * m_rowStride, first, bytes);
}

void Graphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return;
    myRectBlit(clipped(static_cast<int64_t>(x) + m_translateX, static_cast<int64_t>(y) + m_translateY, w, h));
}

void Graphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w < 0 || h < 0) return;
    const int32_t right = sat32(static_cast<int64_t>(x) + w);
    const int32_t bottom = sat32(static_cast<int64_t>(y) + h);
    fillRect(x, y, w, 1);
    fillRect(x, bottom, w, 1);
    fillRect(x, y, 1, h);
    fillRect(right, y, 1, sat32(static_cast<int64_t>(h) + 1));
}

void Graphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 == x2) {
        fillRect(x1, std::min(y1, y2), 1, sat32(abs64(static_cast<int64_t>(y2) - y1) + 1));
        return;
    }
    if (y1 == y2) {
        fillRect(std::min(x1, x2), y1, sat32(abs64(static_cast<int64_t>(x2) - x1) + 1), 1);
        return;
    }
    if (clipIsEmpty()) return;
    LineEnds whole{static_cast<int64_t>(x1) + m_translateX, static_cast<int64_t>(y1) + m_translateY,
                   static_cast<int64_t>(x2) + m_translateX, static_cast<int64_t>(y2) + m_translateY};
    if (whole.ay > whole.by) {
        std::swap(whole.ax, whole.bx);
        std::swap(whole.ay, whole.by);
    }
    if (backEnd) {
        backEnd->drawLine(*this, whole);
        return;
    }
    drawLineSoftware(whole);
}

bool Graphics::cutLineToClip(const LineEnds& whole, LineEnds& cut) const {
    if (clipIsEmpty()) return false;
    int64_t ax = whole.ax, ay = whole.ay, bx = whole.bx, by = whole.by;
    const bool goesRight = ax < bx;
    const int64_t clipLeft = m_clipX, clipTop = m_clipY;
    const int64_t clipRight = clipLeft + m_clipWidth, clipBottom = clipTop + m_clipHeight;

    // Reject before cutting: a cut against an edge the line never reaches would move it inside.
    if (by < clipTop || ay >= clipBottom) return false;
    if (std::max(ax, bx) < clipLeft || std::min(ax, bx) >= clipRight) return false;
    if (ay < clipTop) {
        ax += mulDiv(clipTop - ay, bx - ax, by - ay);
        ay = clipTop;
    }
    if (by >= clipBottom) {
        bx = ax + mulDiv(clipBottom - 1 - ay, bx - ax, by - ay);
        by = clipBottom - 1;
    }
    // The vertical cut may have left the line wholly beside the clip.
    if (std::max(ax, bx) < clipLeft || std::min(ax, bx) >= clipRight) return false;
    if (goesRight) {
        if (ax < clipLeft) {
            if (bx != ax) ay += mulDiv(clipLeft - ax, by - ay, bx - ax);
            ax = clipLeft;
        }
        if (bx >= clipRight) {
            if (bx != ax) by = ay + mulDiv(clipRight - 1 - ax, by - ay, bx - ax);
            bx = clipRight - 1;
        }
    } else {
        if (bx < clipLeft) {
            if (bx != ax) by = ay + mulDiv(clipLeft - ax, by - ay, bx - ax);
            bx = clipLeft;
        }
        if (ax >= clipRight) {
            if (bx != ax) ay += mulDiv(clipRight - 1 - ax, by - ay, bx - ax);
            ax = clipRight - 1;
        }
    }
    if (by < ay) return false;
    cut = {ax, ay, bx, by};
    return true;
}

namespace {

// The first index in [low, high) at which a predicate that turns from false to true holds; high
// when it never does.
template <class Predicate>
int64_t firstWhere(int64_t low, int64_t high, Predicate holds) {
    while (low < high) {
        const int64_t middle = low + (high - low) / 2;
        if (holds(middle)) high = middle;
        else low = middle + 1;
    }
    return low;
}

}  // namespace

// The line steps in 10-bit fixed point from the upper end's pixel centre. Both coordinates move
// monotonically with the step, so the steps inside the clip form one range, found by bisection:
// the cut part lights exactly the pixels the whole line would.
void Graphics::drawLineSoftware(const LineEnds& whole) {
    if (!m_pixels || clipIsEmpty()) return;
    const int64_t dy = whole.by - whole.ay;
    const int64_t dx = abs64(whole.bx - whole.ax);
    int64_t count, xStep, yStep;
    if (dx < dy) {
        count = dy + 1;
        xStep = (whole.bx - whole.ax) * 1024 / dy;
        yStep = 1024;
    } else {
        count = dx + 1;
        xStep = whole.ax < whole.bx ? 1024 : -1024;
        yStep = dx == 0 ? 1024 : dy * 1024 / dx;
    }
    const int64_t x0 = whole.ax * 1024 + 512, y0 = whole.ay * 1024 + 512;
    const auto xAt = [&](int64_t i) { return (x0 + i * xStep) >> 10; };
    const auto yAt = [&](int64_t i) { return (y0 + i * yStep) >> 10; };
    const int64_t left = m_clipX, top = m_clipY;
    const int64_t right = left + m_clipWidth, bottom = top + m_clipHeight;
    int64_t first = firstWhere(0, count, [&](int64_t i) { return yAt(i) >= top; });
    int64_t end = firstWhere(0, count, [&](int64_t i) { return yAt(i) >= bottom; });
    if (xStep >= 0) {
        first = std::max(first, firstWhere(0, count, [&](int64_t i) { return xAt(i) >= left; }));
        end = std::min(end, firstWhere(0, count, [&](int64_t i) { return xAt(i) >= right; }));
    } else {
        first = std::max(first, firstWhere(0, count, [&](int64_t i) { return xAt(i) < right; }));
        end = std::min(end, firstWhere(0, count, [&](int64_t i) { return xAt(i) < left; }));
    }
    // The clip lies inside the target.
    for (int64_t i = first; i < end; ++i)
        m_pixels[static_cast<size_t>(yAt(i)) * m_rowStride + static_cast<size_t>(xAt(i))] = m_pixelColour;
}

void Graphics::drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight) {
    const int64_t a = std::min(arcWidth, w >> 1), b = std::min(arcHeight, h >> 1);
    if (a <= 0 || b <= 0) {
        drawRect(x, y, w, h);
        return;
    }
    const int64_t X = x, Y = y, W = w, H = h;
    const int32_t boxW = sat32(2 * a), boxH = sat32(2 * b);
    const int32_t rightBox = sat32(X + W - 2 * a - 1), bottomBox = sat32(Y + H - 2 * b - 1);
    drawArc(x, y, boxW, boxH, 90, 90);
    drawArc(rightBox, y, boxW, boxH, 0, 90);
    drawArc(x, bottomBox, boxW, boxH, 180, 90);
    drawArc(rightBox, bottomBox, boxW, boxH, 270, 90);
    drawLine(sat32(X + a), y, sat32(X + W - a), y);
    drawLine(sat32(X + a), sat32(Y + H - 1), sat32(X + W - a), sat32(Y + H - 1));
    drawLine(x, sat32(Y + b), x, sat32(Y + H - b));
    drawLine(sat32(X + W - 1), sat32(Y + b), sat32(X + W - 1), sat32(Y + H - b));
}

void Graphics::fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight) {
    const int64_t a = std::min(arcWidth, w >> 1), b = std::min(arcHeight, h >> 1);
    if (a <= 0 || b <= 0) {
        fillRect(x, y, w, h);
        return;
    }
    const int64_t X = x, Y = y, W = w, H = h;
    const int32_t boxW = sat32(2 * a), boxH = sat32(2 * b);
    const int32_t rightBox = sat32(X + W - 2 * a - 1), bottomBox = sat32(Y + H - 2 * b - 1);
    fillArc(x, y, boxW, boxH, 90, 90);
    fillArc(rightBox, y, boxW, boxH, 0, 90);
    fillArc(x, bottomBox, boxW, boxH, 180, 90);
    fillArc(rightBox, bottomBox, boxW, boxH, 270, 90);
    fillRect(sat32(X + a), y, sat32(W - 2 * a), h);
    fillRect(x, sat32(Y + b), sat32(a), sat32(H - 2 * b));
    fillRect(sat32(X + W - a), sat32(Y + b), sat32(a), sat32(H - 2 * b));
}

}  // namespace javax::microedition::lcdui
