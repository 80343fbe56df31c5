// Reading and drawing 0xAARRGGBB arrays, and copyArea built on them.
#include <algorithm>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsArithmetic.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/PixelWord.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;
using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::IllegalArgumentException;
using java::lang::NullPointerException;

namespace {

// Every index offset + j * scanlength + i (j < h, i < w) must lie inside the array.
void checkArrayRectangle(int32_t length, int32_t offset, int32_t scanlength, int32_t w, int32_t h) {
    const int64_t lastRow = static_cast<int64_t>(h - 1) * scanlength;
    const int64_t lowest = static_cast<int64_t>(offset) + std::min<int64_t>(0, lastRow);
    const int64_t highest = static_cast<int64_t>(offset) + std::max<int64_t>(0, lastRow) + w - 1;
    if (lowest < 0 || highest >= length) throw ArrayIndexOutOfBoundsException();
}

}  // namespace

void Graphics::getRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                      int32_t w, int32_t h) {
    if (!rgbData) throw NullPointerException();
    if (w <= 0 || h <= 0) return;
    checkArrayRectangle(rgbData->length, offset, scanlength, w, h);
    if (x < 0 || y < 0 || static_cast<int64_t>(x) + w > m_targetWidth || static_cast<int64_t>(y) + h > m_targetHeight)
        throw IllegalArgumentException();
    int32_t* first = rgbData->data + offset;
    if (backEnd) {
        backEnd->getRGB(*this, first, scanlength, x, y, w, h);
        return;
    }
    getRGBSoftware(first, scanlength, x, y, w, h);
}

void Graphics::getRGBSoftware(int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!m_pixels) return;
    for (int32_t j = 0; j < h; ++j) {
        const uint32_t* source = m_pixels + static_cast<size_t>(y + j) * m_rowStride + x;
        int32_t* out = rgb + static_cast<ptrdiff_t>(j) * scanlength;
        for (int32_t i = 0; i < w; ++i) out[i] = argbFromPixel(source[i]);
    }
}

void Graphics::drawRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                       int32_t w, int32_t h, bool processAlpha) {
    if (!rgbData) throw NullPointerException();
    if (w <= 0 || h <= 0) return;
    checkArrayRectangle(rgbData->length, offset, scanlength, w, h);
    const int64_t left = static_cast<int64_t>(x) + m_translateX, top = static_cast<int64_t>(y) + m_translateY;
    const WLRect visible = clipped(left, top, w, h);
    if (visible.isEmpty()) return;
    // The visible part starts this far into the array, whichever sides were cut.
    const int64_t skip = (visible.y - top) * scanlength + (visible.x - left);
    const int32_t* first = rgbData->data + offset + skip;
    if (backEnd) {
        backEnd->drawRGB(*this, first, scanlength, visible.x, visible.y, visible.width, visible.height, processAlpha);
        return;
    }
    drawRGBSoftware(first, scanlength, visible.x, visible.y, visible.width, visible.height, processAlpha);
}

void Graphics::drawRGBSoftware(const int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h,
                               bool processAlpha) {
    if (!m_pixels) return;
    for (int32_t j = 0; j < h; ++j) {
        uint32_t* out = m_pixels + static_cast<size_t>(y + j) * m_rowStride + x;
        const int32_t* source = rgb + static_cast<ptrdiff_t>(j) * scanlength;
        if (!processAlpha) {
            for (int32_t i = 0; i < w; ++i) out[i] = pixelFromRGB(source[i]);
        } else {
            for (int32_t i = 0; i < w; ++i) out[i] = blendPixel(out[i], pixelFromARGB(source[i]));
        }
    }
}

void Graphics::copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                        int32_t anchor) {
    if (w <= 0 || h <= 0) return;
    int64_t destX = xDest, destY = yDest;
    if (anchor & RIGHT) {
        destX -= w;
    } else if (anchor & HCENTER) {
        destX -= w >> 1;
    }
    if (anchor & BOTTOM) {
        destY -= h;
    } else if (anchor & VCENTER) {
        destY -= h >> 1;
    }
    // Only the part of the source inside the target is copied; the destination moves with the cut.
    int64_t sx = xSrc, sy = ySrc, sw = w, sh = h;
    if (sx < 0) {
        sw += sx;
        destX -= sx;
        sx = 0;
    }
    if (sy < 0) {
        sh += sy;
        destY -= sy;
        sy = 0;
    }
    sw = std::min<int64_t>(sw, m_targetWidth - sx);
    sh = std::min<int64_t>(sh, m_targetHeight - sy);
    if (sw <= 0 || sh <= 0 || !fits32(destX) || !fits32(destY)) return;
    const auto width = static_cast<int32_t>(sw), height = static_cast<int32_t>(sh);
    auto buffer = java::lang::jnew<JArray<int>>(width * height);
    getRGB(buffer, 0, width, static_cast<int32_t>(sx), static_cast<int32_t>(sy), width, height);
    drawRGB(buffer, 0, width, static_cast<int32_t>(destX), static_cast<int32_t>(destY), width, height, false);
}

}  // namespace javax::microedition::lcdui
