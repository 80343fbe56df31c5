#include "app/framework/FrameworkFonts.h"

#include "app/framework/ImageCache.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

constexpr int32_t kSlots = FrameworkFonts::PARAM_WL_TEXT_SIZE_OF_FONT_CACHE;

}  // namespace

FrameworkFonts::FrameworkFonts(ResourceHandler& resources, ImageCache& images, std::atomic<int32_t>* selectedSlot)
    : system_fonts(jnew<JArray<Font>>(kSlots)),
      system_font_colours(jnew<JArray<int>>(kSlots)),
      bitmap_font_image_ids(jnew<JArray<int>>(kSlots)),
      bitmap_font_info(jnew<JArray<JArray<short>>>(kSlots)),
      bitmap_font_metrics(jnew<JArray<JArray<short>>>(kSlots)),
      set_font(selectedSlot ? *selectedSlot : m_selectedSlot),
      m_resources(resources),
      m_images(images) {}

FrameworkFonts::Slot FrameworkFonts::slot(int32_t index) {
    Slot s;
    if (index < 0 || index >= kSlots) return s;
    std::lock_guard guard(m_lock);
    s.font = system_fonts->data[index];
    s.colour = system_font_colours->data[index];
    s.image = bitmap_font_image_ids->data[index];
    s.info = bitmap_font_info->data[index];
    s.metrics = bitmap_font_metrics->data[index];
    return s;
}

int32_t FrameworkFonts::loadSystemFont(int32_t face, int32_t style, int32_t size, int32_t colour) {
    JavaPtr<Font> font = Font::getFont(face, style, size);
    std::lock_guard guard(m_lock);
    for (int32_t s = 0; s < kSlots; ++s) {
        const JavaPtr<Font>& held = system_fonts->data[s];
        if (held && held->getFace() == face && held->getStyle() == style && held->getSize() == size &&
            system_font_colours->data[s] == colour)
            return s;
    }
    for (int32_t s = 0; s < kSlots; ++s) {
        if (system_fonts->data[s] || bitmap_font_info->data[s]) continue;
        system_fonts->data[s] = font;
        system_font_colours->data[s] = colour;
        return s;
    }
    return -1;
}

int32_t FrameworkFonts::loadBitmapFont(int32_t fontId, int32_t paletteId) {
    return loadBitmap(fontId, paletteId, 2, true);
}

int32_t FrameworkFonts::_FuSeD_mThD_1_loadBitmapFont(int32_t fontId, int32_t paletteId) {
    return loadBitmap(fontId, paletteId, 1, false);
}

int32_t FrameworkFonts::loadBitmap(int32_t fontId, int32_t paletteId, int32_t imageOffset, bool withAdvances) {
    const int32_t image = m_images.loadImageID(fontId + imageOffset, paletteId, 1, true);
    if (image < 0) return -1;
    {
        std::lock_guard guard(m_lock);
        for (int32_t s = 0; s < kSlots; ++s)
            if (bitmap_font_info->data[s] && bitmap_font_image_ids->data[s] == image) return s;
    }
    JavaPtr<JArray<short>> info = m_resources.getResourceShortArray(fontId);
    JavaPtr<JArray<short>> metrics = withAdvances ? m_resources.getResourceShortArray(fontId + 1) : nullptr;
    std::lock_guard guard(m_lock);
    // A character table too short for its own header would make the slot look loaded with nothing in it.
    if (info && info->length >= 2)
        for (int32_t s = 0; s < kSlots; ++s) {
            if (system_fonts->data[s] || bitmap_font_info->data[s]) continue;
            bitmap_font_info->data[s] = info;
            bitmap_font_image_ids->data[s] = image;
            bitmap_font_metrics->data[s] = metrics;
            return s;
        }
    m_images.unloadImageID(image);
    return -1;
}

void FrameworkFonts::unloadFont(int32_t index) {
    if (index < 0 || index >= kSlots) return;
    int32_t image = -1;
    {
        std::lock_guard guard(m_lock);
        system_fonts->data[index] = nullptr;
        if (bitmap_font_info->data[index]) image = bitmap_font_image_ids->data[index];
        bitmap_font_info->data[index] = nullptr;
    }
    if (image >= 0) m_images.unloadImageID(image);
}

void FrameworkFonts::setFont(const JavaPtr<Graphics>& g, int32_t index) {
    set_font = index;
    const Slot s = slot(index);
    if (s.font && g) g->setFont(s.font);
}

int32_t FrameworkFonts::getFontHeight(int32_t index) {
    const Slot s = slot(index);
    if (s.font) return s.font->getHeight();
    if (!s.info) return 0;
    return m_images.getImageDimension(s.image, 0, 0, ImageCache::IMAGEDIMENSION_CELL_HEIGHT);
}

int32_t FrameworkFonts::glyphIndex(const Slot& s, char16_t c) {
    if (!s.info) return -1;
    // The table's own count is not trusted past the elements it really has.
    const int32_t n = std::min<int32_t>(s.info->data[0], s.info->length - 2);
    for (int32_t k = 0; k < n; ++k)
        if (static_cast<char16_t>(s.info->data[2 + k]) == c) return k;
    return -1;
}

int32_t FrameworkFonts::getBitmapFontCharacterIndex(int32_t index, char16_t c) { return glyphIndex(slot(index), c); }

int32_t FrameworkFonts::charWidth(const Slot& s, char16_t c) {
    if (s.font) return s.font->charWidth(c);
    if (!s.info) return 0;
    if (c == u' ') return (s.info->data[1] & 0xFF) + spacing(s);
    const int32_t k = glyphIndex(s, c);
    if (k < 0 || !s.metrics || k >= s.metrics->length) return 0;
    return s.metrics->data[k] + spacing(s);
}

int32_t FrameworkFonts::getCharWidth(int32_t index, char16_t c) { return charWidth(slot(index), c); }

int32_t FrameworkFonts::_FuSeD_mThD_1_getCharWidth(int32_t index, char16_t c) {
    const Slot s = slot(index);
    if (s.font || !s.info || c == u' ') return charWidth(s, c);
    const int32_t k = glyphIndex(s, c);
    if (k < 0) return 0;
    return m_images.getImageDimension(s.image, k, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_WIDTH) + spacing(s);
}

int32_t FrameworkFonts::getCharsWidth(int32_t index, const JavaPtr<JArray<char16_t>>& chars) {
    if (!chars) throw java::lang::NullPointerException();
    const Slot s = slot(index);
    int32_t total = 0;
    for (int32_t i = 0; i < chars->length; ++i) total += charWidth(s, chars->data[i]);
    return total;
}

int32_t FrameworkFonts::getStringWidth(int32_t index, const JavaPtr<String>& text) {
    if (!text) throw java::lang::NullPointerException();
    const Slot s = slot(index);
    int32_t total = 0;
    for (const char16_t c : text->view()) total += charWidth(s, c);
    return total;
}

int32_t FrameworkFonts::getMaxStringWidths(int32_t index, const JavaPtr<JArray<String>>& lines) {
    int32_t widest = 0;
    if (!lines) return 0;
    for (int32_t i = 0; i < lines->length; ++i)
        if (lines->data[i]) widest = std::max(widest, getStringWidth(index, lines->data[i]));
    return widest;
}

void FrameworkFonts::drawString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, int32_t x, int32_t y,
                                int32_t anchor, int32_t advance) {
    if (!s) throw java::lang::NullPointerException();
    drawCharsOrString(g, s, nullptr, 0, s->length(), x, y, anchor, advance);
}

void FrameworkFonts::drawChars(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t x,
                               int32_t y, int32_t anchor, int32_t advance) {
    if (!chars) throw java::lang::NullPointerException();
    drawCharsExtended(g, chars, 0, chars->length, x, y, anchor, advance);
}

void FrameworkFonts::drawCharsExtended(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars,
                                       int32_t offset, int32_t length, int32_t x, int32_t y, int32_t anchor,
                                       int32_t advance) {
    drawCharsOrString(g, nullptr, chars, offset, length, x, y, anchor, advance);
}

void FrameworkFonts::drawCharsOrString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s,
                                       const JavaPtr<JArray<char16_t>>& chars, int32_t offset, int32_t length,
                                       int32_t x, int32_t y, int32_t anchor, int32_t advance) {
    const int32_t screen = screenHeight ? screenHeight() : 0;
    if (y < -(screen >> 2) || y > (5 * screen) >> 2) return;
    const std::u16string_view all = s ? s->view() : chars ? std::u16string_view(chars->data, chars->length)
                                                          : throw java::lang::NullPointerException();
    if (offset < 0 || length < 0 || offset > static_cast<int64_t>(all.size()) - length) {
        if (s) throw java::lang::StringIndexOutOfBoundsException();
        throw java::lang::ArrayIndexOutOfBoundsException();
    }
    const std::u16string_view text = all.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
    const int32_t index = set_font;
    const Slot font = slot(index);
    if (font.empty() || !g) return;
    if (anchor & (Graphics::VCENTER | Graphics::BOTTOM)) {
        const int32_t height = getFontHeight(index);
        y -= anchor & Graphics::VCENTER ? height >> 1 : height;
        anchor = (anchor & ~(Graphics::VCENTER | Graphics::BOTTOM)) | Graphics::TOP;
    }
    const bool fixed = advance != -1;
    if (font.font) {
        g->setColor(font.colour);
        if (!fixed) {
            if (s) {
                g->drawSubstring(s, offset, length, x, y, anchor);
            } else {
                g->drawChars(chars, offset, length, x, y, anchor);
            }
            return;
        }
        if (anchor & Graphics::HCENTER) {
            x -= (length * advance) >> 1;
        } else if (anchor & Graphics::RIGHT) {
            x -= length * advance;
        }
        for (const char16_t c : text) {
            g->drawChar(c, x, y, Graphics::TOP | Graphics::LEFT);
            x += advance;
        }
        return;
    }
    const int32_t spaceAdvance = fixed ? advance : charWidth(font, u' ');
    // The glyph sheet's slot is read once for the whole text.
    const ImageCache::SlotView sheet = m_images.view(font.image);
    const int32_t cellWidth = ImageCache::dimension(sheet, 0, 0, ImageCache::IMAGEDIMENSION_CELL_WIDTH);
    if (anchor & (Graphics::HCENTER | Graphics::RIGHT)) {
        int32_t total = 0;
        if (fixed) {
            total = length * advance;
        } else {
            for (const char16_t c : text) total += charWidth(font, c);
        }
        x -= anchor & Graphics::HCENTER ? total >> 1 : total;
    }
    for (const char16_t c : text) {
        if (c == u' ') {
            x += spaceAdvance;
            continue;
        }
        const int32_t k = glyphIndex(font, c);
        if (k < 0) continue;
        const int32_t left = ImageCache::dimension(sheet, k, 0, ImageCache::IMAGEDIMENSION_CELL_CROPPED_TL_X);
        ImageCache::drawImageID(g, sheet, k, 0, x - (cellWidth > 0 ? left % cellWidth : 0), y,
                                Graphics::TOP | Graphics::LEFT);
        x += fixed ? advance : charWidth(font, c);
    }
}

void FrameworkFonts::drawSplitString(const JavaPtr<Graphics>& g, const JavaPtr<JArray<String>>& lines, int32_t x,
                                     int32_t y, int32_t anchor, int32_t lineHeight) {
    if (!lines) return;
    const int32_t n = lines->length;
    if (anchor & Graphics::VCENTER) y -= (n * lineHeight) >> 1;
    if (anchor & Graphics::BOTTOM) y -= n * lineHeight;
    anchor = (anchor & ~(Graphics::VCENTER | Graphics::BOTTOM)) | Graphics::TOP;
    for (int32_t i = 0; i < n; ++i)
        if (lines->data[i]) drawString(g, lines->data[i], x, y + i * lineHeight, anchor, -1);
}
