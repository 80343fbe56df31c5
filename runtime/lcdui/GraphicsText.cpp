// Text: layout with the bitmap font's tables, glyphs rasterised to coverage and blended in the colour.
#include <algorithm>
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/PixelRows.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

// Draws the visible part of a glyph, width x height from (cutLeft, cutTop) into it, from the font's
// coverage rows. Where the glyph is not cut on the right, its zero padding lets groups of four
// pixels run past its edge, as far as the target row allows (room pixels).
void drawGlyphRows(const BitmapFontSystem::Tables& font, int32_t glyph, int32_t cutLeft, int32_t cutTop,
                   uint32_t* target, ptrdiff_t stride, int32_t width, int32_t height, int32_t room,
                   uint32_t colour) {
    // Coverage rows hold at most 32 pixels; a wider advance (the space) is blank beyond them.
    const int32_t packedWidth = std::min(font.m_charWidths[static_cast<size_t>(glyph)], 32);
    const int32_t drawn = std::min(width, packedWidth - cutLeft);
    if (drawn <= 0) return;
    const int32_t span = drawn < packedWidth - cutLeft ? drawn : std::min(room, font.m_coverageStride - cutLeft);
    // Only the rows that have ink: the rest would leave their pixels as they are.
    const auto [inkTop, inkBottom] = font.m_inkedRows[static_cast<size_t>(glyph)];
    const int32_t first = std::max(cutTop, inkTop), end = std::min(cutTop + height, inkBottom);
    if (first >= end) return;
    coverRows(target + (first - cutTop) * stride, stride, colour, font.coverageRow(glyph, first) + cutLeft,
              font.m_coverageStride, drawn, span, end - first);
}

}  // namespace

void Graphics::drawString(const JavaPtr<String>& s, int32_t x, int32_t y, int32_t anchor) {
    if (!s) throw java::lang::NullPointerException();
    drawSubstring(s, 0, s->length(), x, y, anchor);
}

void Graphics::drawChars(const JavaPtr<JArray<jchar>>& data, int32_t offset, int32_t length, int32_t x, int32_t y,
                         int32_t anchor) {
    if (length <= 0) return;
    if (!data) throw java::lang::NullPointerException();
    if (offset < 0 || static_cast<int64_t>(offset) + length > data->length)
        throw java::lang::ArrayIndexOutOfBoundsException();
    drawString(java::lang::jnew<String>(data->data + offset, length), x, y, anchor);
}

void Graphics::drawChar(jchar c, int32_t x, int32_t y, int32_t anchor) {
    drawString(java::lang::jnew<String>(&c, 1), x, y, anchor);
}

void Graphics::drawSubstring(const JavaPtr<String>& s, int32_t offset, int32_t len, int32_t x, int32_t y,
                             int32_t anchor) {
    if (!s) throw java::lang::NullPointerException();
    if (offset < 0 || offset > s->length() || len < 0 || static_cast<int64_t>(offset) + len > s->length())
        throw java::lang::StringIndexOutOfBoundsException();
    if (len == 0) return;
    // Every font draws with the one bitmap font, so a null font changes nothing here.
    const auto font = BitmapFontSystem::tables();
    if (!font) return;
    const jchar* units = s->units() + offset;
    const int32_t lineHeight = font->m_fontHeight;
    // One pass over the characters gives the width anchors use (a missing character counts 10), how
    // far the pen goes (11 past one) and, should the line lie inside the clip, its blocks of ink.
    // Blocks are kept for no more glyphs than a line fitting the clip can have (a glyph with ink
    // moves the pen 2 or more), so a long line costs no memory for them.
    const size_t room = std::min(static_cast<size_t>(len), static_cast<size_t>(std::max(m_clipWidth, 0)) + 1);
    thread_local std::vector<CoverBlock> blocks;
    if (blocks.size() < room) blocks.resize(room);
    size_t inked = 0;
    int64_t extent = 0, missing = 0;
    for (int32_t i = 0; i < len; ++i) {
        const BitmapFontSystem::Tables::Ink& ink = font->ink(units[i]);
        if (inked < room)
            blocks[inked] = {extent + ink.top * m_rowStride, font->m_coverage.data() + ink.coverage, ink.rows};
        inked += ink.rows != 0;
        extent += ink.advance;
        missing += ink.missing;
    }
    const int64_t width = extent - missing;
    int64_t penX = static_cast<int64_t>(x) + m_translateX;
    int64_t top = static_cast<int64_t>(y) + m_translateY;
    if (anchor & HCENTER) {
        penX -= width >> 1;
    } else if (anchor & RIGHT) {
        penX -= width;
    }
    if (anchor & VCENTER) top -= lineHeight >> 1;
    if (anchor & BOTTOM) top -= lineHeight;

    // The clip's far edges, once for the string. A line whose ink lies wholly inside the clip, with
    // room on the target for each glyph's groups of four, is drawn without cutting a glyph.
    const int64_t clipRight = int64_t{m_clipX} + m_clipWidth, clipBottom = int64_t{m_clipY} + m_clipHeight;
    if (!backEnd && m_pixels && font->m_advancesForward && inked <= room && penX >= m_clipX &&
        penX + extent <= clipRight && penX + extent + font->m_coverageStride <= m_targetWidth &&
        top + font->m_inkTop >= m_clipY && top + font->m_inkBottom <= clipBottom) {
        coverBlocks(m_pixels + (top * m_rowStride + penX), std::span(blocks.data(), inked), m_rowStride,
                    m_pixelColour, font->m_coverageStride);
        return;
    }

    thread_local std::vector<uint8_t> coverage;
    for (int32_t i = 0; i < len; ++i) {
        const int32_t glyph = font->glyphFor(units[i]);
        if (glyph < 0) {
            penX += 11;
            continue;
        }
        const int32_t glyphWidth = font->m_charWidths[static_cast<size_t>(glyph)];
        const int64_t glyphTop = top + font->m_charYOffset[static_cast<size_t>(glyph)];
        // Each glyph is cut to the clip where it really lies, its vertical offset included.
        const bool inside = penX >= m_clipX && glyphTop >= m_clipY && penX + glyphWidth <= clipRight &&
                            glyphTop + lineHeight <= clipBottom && glyphWidth > 0 && lineHeight > 0;
        const WLRect box = inside ? WLRect{static_cast<int32_t>(penX), static_cast<int32_t>(glyphTop), glyphWidth,
                                           lineHeight}
                                  : clipped(penX, glyphTop, glyphWidth, lineHeight);
        if (!box.isEmpty() && !backEnd) {
            if (m_pixels && box.x >= 0 && box.y >= 0 && box.x <= m_targetWidth - box.width &&
                box.y <= m_targetHeight - box.height)
                drawGlyphRows(*font, glyph, static_cast<int32_t>(box.x - penX), static_cast<int32_t>(box.y - glyphTop),
                              m_pixels + static_cast<size_t>(box.y) * m_rowStride + box.x, m_rowStride, box.width,
                              box.height, m_targetWidth - box.x, m_pixelColour);
        } else if (!box.isEmpty()) {
            coverage.resize(static_cast<size_t>(glyphWidth) * lineHeight);
            font->rasterise(glyph, coverage.data());
            const int64_t cutLeft = box.x - penX, cutTop = box.y - glyphTop;
            if (box.width != glyphWidth || box.height != lineHeight) {
                for (int32_t row = 0; row < box.height; ++row) {
                    const uint8_t* from = coverage.data() + (cutTop + row) * glyphWidth + cutLeft;
                    std::copy_n(from, box.width, coverage.data() + static_cast<size_t>(row) * box.width);
                }
            }
            myBlitChar(coverage.data(), box.x, box.y, box.width, box.height);
        }
        penX += static_cast<int64_t>(glyphWidth) + 1;
    }
}

void Graphics::myBlitChar(const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return;
    if (backEnd) {
        backEnd->blitChar(*this, coverage, x, y, w, h);
        return;
    }
    myBlitCharSoftware(coverage, x, y, w, h);
}

void Graphics::myBlitCharSoftware(const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!m_pixels) return;
    if (x < 0 || y < 0 || x > m_targetWidth - w || y > m_targetHeight - h) return;
    for (int32_t row = 0; row < h; ++row) {
        uint32_t* out = m_pixels + static_cast<size_t>(y + row) * m_rowStride + x;
        const uint8_t* line = coverage + static_cast<size_t>(row) * w;
        coverRow(out, m_pixelColour, line, w);
    }
}

}  // namespace javax::microedition::lcdui
