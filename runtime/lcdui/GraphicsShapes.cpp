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
    int64_t ax = static_cast<int64_t>(x1) + m_translateX, ay = static_cast<int64_t>(y1) + m_translateY;
    int64_t bx = static_cast<int64_t>(x2) + m_translateX, by = static_cast<int64_t>(y2) + m_translateY;
    if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const bool goesRight = ax < bx;
    const int64_t clipLeft = m_clipX, clipTop = m_clipY;
    const int64_t clipRight = clipLeft + m_clipWidth, clipBottom = clipTop + m_clipHeight;

    // Reject before cutting: a cut against an edge the line never reaches would move it inside.
    if (by < clipTop || ay >= clipBottom) return;
    if (std::max(ax, bx) < clipLeft || std::min(ax, bx) >= clipRight) return;
    if (ay < clipTop) {
        ax += mulDiv(clipTop - ay, bx - ax, by - ay);
        ay = clipTop;
    }
    if (by >= clipBottom) {
        bx = ax + mulDiv(clipBottom - 1 - ay, bx - ax, by - ay);
        by = clipBottom - 1;
    }
    // The vertical cut may have left the line wholly beside the clip.
    if (std::max(ax, bx) < clipLeft || std::min(ax, bx) >= clipRight) return;
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
    if (by < ay) return;
    const auto sax = static_cast<int32_t>(ax), say = static_cast<int32_t>(ay);
    const auto sbx = static_cast<int32_t>(bx), sby = static_cast<int32_t>(by);
    if (backEnd) {
        backEnd->drawLine(*this, sax, say, sbx, sby, goesRight);
        return;
    }
    drawLineSoftware(sax, say, sbx, sby, goesRight);
}

void Graphics::drawLineSoftware(int32_t ax, int32_t ay, int32_t bx, int32_t by, bool goesRight) {
    if (!m_pixels) return;
    // 10-bit fixed point from the pixel centre.
    const int64_t dy = static_cast<int64_t>(by) - ay;
    const int64_t dx = abs64(static_cast<int64_t>(bx) - ax);
    int64_t count, xStep, yStep;
    if (dx < dy) {
        count = dy + 1;
        xStep = (static_cast<int64_t>(bx) - ax) * 1024 / dy;
        yStep = 1024;
    } else {
        count = dx + 1;
        xStep = goesRight ? 1024 : -1024;
        yStep = dx == 0 ? 1024 : dy * 1024 / dx;
    }
    int64_t x = static_cast<int64_t>(ax) * 1024 + 512;
    int64_t y = static_cast<int64_t>(ay) * 1024 + 512;
    for (int64_t i = 0; i < count; ++i) {
        const int64_t px = x >> 10, py = y >> 10;
        if (px >= 0 && py >= 0 && px < m_targetWidth && py < m_targetHeight)
            m_pixels[static_cast<size_t>(py) * m_rowStride + static_cast<size_t>(px)] = m_pixelColour;
        x += xStep;
        y += yStep;
    }
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
