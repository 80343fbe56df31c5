// The clip of a Graphics: stored in target coordinates, always inside the target, computed in 64 bits.
#include <algorithm>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsArithmetic.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;

void Graphics::storeClip(int64_t ax, int64_t ay, int64_t w, int64_t h) {
    if (ax < 0) {
        w += ax;
        ax = 0;
    }
    if (ay < 0) {
        h += ay;
        ay = 0;
    }
    w = std::max<int64_t>(w, 0);
    h = std::max<int64_t>(h, 0);
    if (ax >= m_targetWidth) {
        w = 0;
    } else if (ax + w > m_targetWidth) {
        w = m_targetWidth - ax;
    }
    if (ay >= m_targetHeight) {
        h = 0;
    } else if (ay + h > m_targetHeight) {
        h = m_targetHeight - ay;
    }
    m_clipX = sat32(ax);
    m_clipY = sat32(ay);
    m_clipWidth = static_cast<int32_t>(w);
    m_clipHeight = static_cast<int32_t>(h);
}

void Graphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h) {
    storeClip(static_cast<int64_t>(x) + m_translateX, static_cast<int64_t>(y) + m_translateY, w, h);
}

void Graphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    const int64_t ax = static_cast<int64_t>(x) + m_translateX;
    const int64_t ay = static_cast<int64_t>(y) + m_translateY;
    int64_t cx = m_clipX, cy = m_clipY, cw = m_clipWidth, ch = m_clipHeight;
    if (ax > cx) {
        cw -= ax - cx;
        cx = ax;
    }
    if (ay > cy) {
        ch -= ay - cy;
        cy = ay;
    }
    if (ax + w < cx + cw) cw = ax + w - cx;
    if (ay + h < cy + ch) ch = ay + h - cy;
    const int64_t sx = cx - m_translateX, sy = cy - m_translateY;
    if (fits32(sx) && fits32(sy) && fits32(cw) && fits32(ch)) {
        setClip(static_cast<int32_t>(sx), static_cast<int32_t>(sy), static_cast<int32_t>(cw), static_cast<int32_t>(ch));
    } else {
        storeClip(cx, cy, cw, ch);
    }
}

int32_t Graphics::getClipX() { return static_cast<int32_t>(static_cast<uint32_t>(m_clipX) - static_cast<uint32_t>(m_translateX)); }
int32_t Graphics::getClipY() { return static_cast<int32_t>(static_cast<uint32_t>(m_clipY) - static_cast<uint32_t>(m_translateY)); }
int32_t Graphics::getClipWidth() { return m_clipWidth; }
int32_t Graphics::getClipHeight() { return m_clipHeight; }

WLRect Graphics::clipped(int64_t x, int64_t y, int64_t w, int64_t h) const {
    if (clipIsEmpty() || w <= 0 || h <= 0) return {m_clipX, m_clipY, 0, 0};
    const int64_t left = std::max<int64_t>(x, m_clipX);
    const int64_t top = std::max<int64_t>(y, m_clipY);
    const int64_t right = std::min<int64_t>(x + w, static_cast<int64_t>(m_clipX) + m_clipWidth);
    const int64_t bottom = std::min<int64_t>(y + h, static_cast<int64_t>(m_clipY) + m_clipHeight);
    if (right <= left || bottom <= top) return {m_clipX, m_clipY, 0, 0};
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
            static_cast<int32_t>(bottom - top)};
}

void Graphics::reduceClip(WLRect& r) const { r = clipped(r.x, r.y, r.width, r.height); }

}  // namespace javax::microedition::lcdui
