// Image blitting: anchors, the eight transforms, clipping on both the target and the source image,
// and the copy, masked and blended pixel modes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/PixelRows.h"
#include "runtime/lcdui/PixelWord.h"

namespace javax::microedition::lcdui {

namespace {

bool hasContent(Image& img) { return img.pixels || img.graphics; }

// Source pixel (i, j) of a region w x h lands at (u, v) of the destination; the part of the
// destination that a sub-region starting (a, b) into it covers starts at these offsets.
void subRegionOffset(int32_t transform, int64_t w, int64_t h, int64_t a, int64_t b, int64_t subW, int64_t subH,
                     int64_t& u, int64_t& v) {
    switch (transform) {
        case 1: u = a, v = h - b - subH; break;
        case 2: u = w - a - subW, v = b; break;
        case 3: u = w - a - subW, v = h - b - subH; break;
        case 4: u = b, v = a; break;
        case 5: u = h - b - subH, v = a; break;
        case 6: u = b, v = w - a - subW; break;
        case 7: u = h - b - subH, v = w - a - subW; break;
        default: u = a, v = b; break;
    }
}

// Whether the words a rectangle covers in one block may be among those another covers in a second.
bool sharesMemory(const uint32_t* first, int32_t firstStride, const WLRect& a, const uint32_t* second,
                  int32_t secondStride, const WLRect& b) {
    const auto span = [](const uint32_t* base, int32_t stride, const WLRect& r) {
        const uint32_t* begin = base + r.x + static_cast<ptrdiff_t>(r.y) * stride;
        const uint32_t* end = begin + static_cast<ptrdiff_t>(r.height - 1) * stride + r.width;
        return std::pair{reinterpret_cast<uintptr_t>(begin), reinterpret_cast<uintptr_t>(end)};
    };
    const auto [aBegin, aEnd] = span(first, firstStride, a);
    const auto [bBegin, bEnd] = span(second, secondStride, b);
    return aBegin < bEnd && bBegin < aEnd;
}

}  // namespace

void Graphics::drawImage(const JavaPtr<Image>& img, int32_t x, int32_t y, int32_t anchor) {
    if (!img || !hasContent(*img)) return;
    const int32_t width = img->getWidth(), height = img->getHeight();
    int64_t px = static_cast<int64_t>(x) + m_translateX, py = static_cast<int64_t>(y) + m_translateY;
    if (anchor & BOTTOM) {
        py -= height;
    } else if (anchor & VCENTER) {
        py -= height >> 1;
    }
    if (anchor & RIGHT) {
        px -= width;
    } else if (anchor & HCENTER) {
        px -= width >> 1;
    }
    const WLRect dst = clipped(px, py, width, height);
    if (dst.isEmpty()) return;
    const WLRect src{static_cast<int32_t>(dst.x - px), static_cast<int32_t>(dst.y - py), dst.width, dst.height};
    myBlitter(dst, src, *img, 0);
}

void Graphics::drawRegion(const JavaPtr<Image>& src, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height,
                          int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor) {
    if (!src || width <= 0 || height <= 0) return;
    if (transform < 0 || transform > 7) transform = 0;
    const bool swapsSides = transform >= 4;
    const int64_t destWidth = swapsSides ? height : width, destHeight = swapsSides ? width : height;
    int64_t x0 = xDest, y0 = yDest;
    if (anchor & BOTTOM) {
        y0 -= destHeight;
    } else if (anchor & VCENTER) {
        y0 -= destHeight >> 1;
    }
    if (anchor & RIGHT) {
        x0 -= destWidth;
    } else if (anchor & HCENTER) {
        x0 -= destWidth >> 1;
    }
    if (!hasContent(*src)) return;
    // A region reaching outside the image is cut to it; the destination keeps the visible part's place.
    const int64_t left = std::max<int64_t>(xSrc, 0), top = std::max<int64_t>(ySrc, 0);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(xSrc) + width, src->getWidth());
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(ySrc) + height, src->getHeight());
    if (right <= left || bottom <= top) return;
    int64_t u, v;
    subRegionOffset(transform, width, height, left - xSrc, top - ySrc, right - left, bottom - top, u, v);
    drawRegionClipped(*src, static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                      static_cast<int32_t>(bottom - top), transform, x0 + u + m_translateX, y0 + v + m_translateY);
}

void Graphics::drawRegionClipped(Image& src, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t transform,
                                 int64_t x0, int64_t y0) {
    const bool swapsSides = transform >= 4;
    const WLRect visible = clipped(x0, y0, swapsSides ? h : w, swapsSides ? w : h);
    if (visible.isEmpty()) return;
    const int32_t ox = static_cast<int32_t>(visible.x - x0), oy = static_cast<int32_t>(visible.y - y0);
    const int32_t cw = visible.width, ch = visible.height;
    WLRect from;
    switch (transform) {
        case 1: from = {xSrc + ox, ySrc + h - oy - ch, cw, ch}; break;
        case 2: from = {xSrc + w - ox - cw, ySrc + oy, cw, ch}; break;
        case 3: from = {xSrc + w - ox - cw, ySrc + h - oy - ch, cw, ch}; break;
        case 4: from = {xSrc + oy, ySrc + ox, ch, cw}; break;
        case 5: from = {xSrc + oy, ySrc + h - ox - cw, ch, cw}; break;
        case 6: from = {xSrc + w - oy - ch, ySrc + ox, ch, cw}; break;
        case 7: from = {xSrc + w - oy - ch, ySrc + h - ox - cw, ch, cw}; break;
        default: from = {xSrc + ox, ySrc + oy, cw, ch}; break;
    }
    myBlitter(visible, from, src, transform);
}

void Graphics::myBlitter(const WLRect& dst, const WLRect& src, Image& img, int32_t transform) {
    if (dst.isEmpty() || src.isEmpty()) return;
    if (backEnd) {
        backEnd->blit(*this, dst, src, img, transform);
        return;
    }
    myBlitterSoftware(dst, src, img, transform);
}

void Graphics::myBlitterSoftware(const WLRect& dst, const WLRect& src, Image& img, int32_t transform) {
    if (!img.pixels) return;
    blitPixelsSoftware(dst, src, img.pixels, img.getWidth(), img.getWidth(), img.getHeight(), img.hasTransparentPixels,
                       img.hasTranslucentPixels, transform);
}

void Graphics::blitPixelsSoftware(const WLRect& dst, const WLRect& src, const uint32_t* sourcePixels,
                                  int32_t sourceStride, int32_t sourceWidth, int32_t sourceHeight,
                                  bool hasTransparentPixels, bool hasTranslucentPixels, int32_t transform) {
    if (!m_pixels || !sourcePixels) return;
    const int32_t imageWidth = sourceStride;
    // Locals, not src's fields: pixel stores could alias an int32_t in the compiler's eyes.
    const int32_t width = src.width, height = src.height;
    if (src.x < 0 || src.y < 0 || src.x > sourceWidth - width || src.y > sourceHeight - height) return;
    if (dst.x < 0 || dst.y < 0 || dst.x > m_targetWidth - dst.width || dst.y > m_targetHeight - dst.height) return;
    // An image drawn onto itself: the source rows may be overwritten before they are read, so draw
    // from a copy of the region.
    if (sharesMemory(sourcePixels, sourceStride, src, m_pixels, m_rowStride, dst)) {
        std::vector<uint32_t> copy(static_cast<size_t>(width) * height);
        for (int32_t row = 0; row < height; ++row)
            std::memcpy(copy.data() + static_cast<size_t>(row) * width,
                        sourcePixels + src.x + static_cast<ptrdiff_t>(src.y + row) * sourceStride,
                        static_cast<size_t>(width) * sizeof(uint32_t));
        blitPixelsSoftware(dst, {0, 0, width, height}, copy.data(), width, width, height, hasTransparentPixels,
                           hasTranslucentPixels, transform);
        return;
    }
    const ptrdiff_t W = m_rowStride;
    ptrdiff_t startX = dst.x, startY = dst.y, pixelStep = 1, rowStep = W;
    switch (transform) {
        case 1: startY = dst.y + dst.height - 1, rowStep = -W; break;
        case 2: startX = dst.x + dst.width - 1, pixelStep = -1; break;
        case 3: startX = dst.x + dst.width - 1, startY = dst.y + dst.height - 1, pixelStep = -1, rowStep = -W; break;
        case 4: pixelStep = W, rowStep = 1; break;
        case 5: startX = dst.x + dst.width - 1, pixelStep = W, rowStep = -1; break;
        case 6: startY = dst.y + dst.height - 1, pixelStep = -W, rowStep = 1; break;
        case 7: startX = dst.x + dst.width - 1, startY = dst.y + dst.height - 1, pixelStep = -W, rowStep = -1; break;
        default: break;
    }
    uint32_t* d = m_pixels + startY * W + startX;
    const uint32_t* s = sourcePixels + src.x + static_cast<ptrdiff_t>(src.y) * imageWidth;
    const ptrdiff_t rowAdvance = rowStep - width * pixelStep;
    const ptrdiff_t sourceSkip = imageWidth - width;

    if (!hasTransparentPixels && !hasTranslucentPixels) {
        if (pixelStep == 1) {
            const size_t bytes = static_cast<size_t>(width) * sizeof(uint32_t);
            for (int32_t row = 0; row < height; ++row, d += rowStep, s += imageWidth) std::memcpy(d, s, bytes);
            return;
        }
        for (int32_t row = 0; row < height; ++row, d += rowAdvance, s += sourceSkip)
            for (int32_t i = 0; i < width; ++i, d += pixelStep) *d = *s++;
        return;
    }
    // Rows read and written in the same direction get plain indexed loops, which vectorise.
    if (hasTransparentPixels) {
        if (pixelStep == 1) {
            for (int32_t row = 0; row < height; ++row, d += rowStep, s += imageWidth) {
                uint32_t* __restrict out = d;
                const uint32_t* __restrict in = s;
                for (int32_t i = 0; i < width; ++i) {
                    // An all-ones mask where the source is visible: a select without branches.
                    const uint32_t visible = 0u - static_cast<uint32_t>((in[i] >> 24) != 0);
                    out[i] = (in[i] & visible) | (out[i] & ~visible);
                }
            }
            return;
        }
        for (int32_t row = 0; row < height; ++row, d += rowAdvance, s += sourceSkip)
            for (int32_t i = 0; i < width; ++i, d += pixelStep, ++s) *d = (*s >> 24) ? *s : *d;
        return;
    }
    if (pixelStep == 1) {
        for (int32_t row = 0; row < height; ++row, d += rowStep, s += imageWidth) {
            blendRow(d, s, width);
        }
        return;
    }
    for (int32_t row = 0; row < height; ++row, d += rowAdvance, s += sourceSkip)
        for (int32_t i = 0; i < width; ++i, d += pixelStep, ++s) *d = blendPixel(*d, *s);
}

}  // namespace javax::microedition::lcdui
