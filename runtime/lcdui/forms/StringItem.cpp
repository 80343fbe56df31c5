#include "runtime/lcdui/forms/StringItem.h"

#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

bool isBlank(java::lang::jchar c) { return c == u' ' || c == 13 || c == 9; }

}  // namespace

void StringItem::WENDinvokeconstructor(const JavaPtr<String>& label, const JavaPtr<String>& text,
                                       int32_t appearanceMode) {
    Item::WENDinvokeconstructor();
    init(label, text, appearanceMode, Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL));
}

void StringItem::init(const JavaPtr<String>& label, const JavaPtr<String>& text, int32_t appearanceMode,
                      const JavaPtr<Font>& font) {
    std::lock_guard lock(lcdui());
    m_label = label;
    m_text = text;
    m_appearanceMode = appearanceMode;
    m_font = font;
    m_lines = nullptr;
    m_updatecontentHeightAndWidth();
}

int32_t StringItem::getAppearanceMode() { return m_appearanceMode; }

JavaPtr<Font> StringItem::getFont() {
    std::lock_guard lock(lcdui());
    return m_font;
}

JavaPtr<String> StringItem::getText() {
    std::lock_guard lock(lcdui());
    return m_text;
}

void StringItem::setText(const JavaPtr<String>& text) {
    std::lock_guard lock(lcdui());
    m_text = text;
    m_updatecontentHeightAndWidth();
}

void StringItem::setFont(const JavaPtr<Font>& font) {
    std::lock_guard lock(lcdui());
    m_font = font;
    m_updatecontentHeightAndWidth();
}

bool StringItem::addToForm(Form* form) {
    std::lock_guard lock(lcdui());
    const bool added = Item::addToForm(form);
    if (added) m_updatecontentHeightAndWidth();
    return added;
}

void StringItem::preferredSizeChanged() { m_updatecontentHeightAndWidth(); }

int32_t StringItem::layoutInternal() {
    if (m_widthLocked || m_heightLocked) return m_layout;
    return m_layout | LAYOUT_EXPAND | LAYOUT_VEXPAND;
}

int32_t StringItem::getMinContentWidth() {
    if (m_widthLocked || m_heightLocked) return m_contentWidth;
    return Display::screenWidth.load() / 4;
}

int32_t StringItem::getMinContentHeight() {
    if (m_widthLocked || m_heightLocked) return m_contentHeight;
    return m_font ? m_font->getHeight() : 0;
}

int32_t StringItem::getPrefContentWidth(int32_t) { return m_contentWidth; }
int32_t StringItem::getPrefContentHeight(int32_t) { return m_contentHeight; }

JavaPtr<String> StringItem::wrapTextLine(int32_t start, int32_t maxWidth, int32_t* next, bool* hyphenated,
                                         const JavaPtr<String>& text, const JavaPtr<Font>& font) {
    if (!text || !font) return nullptr;
    const int32_t length = text->length();
    if (length == 0 || start >= length) {
        if (next) *next = -1;
        if (hyphenated) *hyphenated = false;
        return length == 0 ? text : JavaPtr<String>(new String(""));
    }
    const java::lang::jchar* units = reinterpret_cast<const java::lang::jchar*>(text->units());
    // Fetched once for the line: every character is measured against them.
    const auto tables = BitmapFontSystem::tables();
    const auto charWidth = [&tables](java::lang::jchar c) { return tables ? tables->advance(c) : 10; };
    const int32_t hyphenWidth = charWidth(u'-');
    int32_t breakAt = -1;
    bool hyphen = false;
    if (units[start] != u'\n') {
        int32_t width = 0;
        int32_t lastWordEnd = -1;
        int32_t lastHyphenFit = -1;
        for (int32_t i = start; i < length; ++i) {
            const java::lang::jchar c = units[i];
            if (c == u'\n') {
                breakAt = i;
                break;
            }
            width += charWidth(c);
            if (isBlank(c)) {
                if (i == start || !isBlank(units[i - 1])) lastWordEnd = i - 1;
            } else if (width + hyphenWidth <= maxWidth) {
                lastHyphenFit = i;
            }
            if (width <= maxWidth) continue;
            if (lastWordEnd != -1) {
                breakAt = lastWordEnd;
            } else if (lastHyphenFit != -1) {
                breakAt = lastHyphenFit;
                hyphen = true;
            } else {
                // The overflowing character starts the next line unless it is the line's only one,
                // so that no line is wider than the width unless one character is.
                breakAt = i > start ? i - 1 : i;
            }
            break;
        }
    } else {
        breakAt = start;
    }
    int32_t following = -1;
    if (breakAt != -1) {
        for (int32_t i = breakAt + 1; i < length && following == -1; ++i)
            if (!isBlank(units[i])) following = i;
    }
    int32_t end = breakAt == -1 ? length : breakAt + 1;
    if (end > start && units[end - 1] == u'\n') --end;
    JavaPtr<String> line = end > start ? text->substring(start, end) : JavaPtr<String>(new String(""));
    if (hyphen) line = line + "-";
    if (hyphenated) *hyphenated = hyphen;
    if (next) *next = following;
    return line;
}

void StringItem::wrapTextLines(int32_t width) {
    std::lock_guard lock(lcdui());
    if (!m_text) return;
    if (width == -1) width = usableFormWidth();
    m_lines = JavaPtr<JArray<String>>(new JArray<String>(0));
    m_lineX = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(0));
    m_lineY = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(0));
    const int32_t breaking = m_widthLocked ? m_preferredWidth : usableFormWidth();
    const int32_t align = getLayout() & 3;
    int32_t y = 0;
    for (int32_t index = 0;;) {
        int32_t next = -1;
        JavaPtr<String> line = wrapTextLine(index, breaking, &next, nullptr, m_text, m_font);
        const int32_t lineWidth = m_font->stringWidth(line);
        const int32_t x = align == LAYOUT_RIGHT ? width - lineWidth : align == LAYOUT_CENTER ? (width - lineWidth) / 2 : 0;
        m_lines->append(line);
        m_lineX->append(x);
        m_lineY->append(y);
        if (next == -1 || next <= index) break;
        index = next;
        y += m_font->getHeight();
    }
}

void StringItem::m_updatecontentHeightAndWidth() {
    std::lock_guard lock(lcdui());
    if (!m_form) return;
    int32_t width = m_widthLocked ? m_preferredWidth : usableFormWidth();
    if (!m_text) m_lines = nullptr;
    wrapTextLines(width);
    const int32_t lines = m_lines ? m_lines->length : 0;
    if (lines == 1) {
        width = m_font->stringWidth((*m_lines)[0]);
        // The layout already placed a one-line item's box by its alignment: aligning the text inside
        // that box again would push it out of the box.
        (*m_lineX)[0] = 0;
    }
    m_contentWidth = width;
    m_contentHeight = m_heightLocked ? m_preferredHeight : lines * m_font->getHeight();
}

void StringItem::paint(const JavaPtr<Graphics>& g, int32_t, int32_t) {
    std::lock_guard lock(lcdui());
    if (!m_lines || m_lines->length == 0) return;
    const bool highlighted = m_flowing && m_form && m_form->highlightedItem().get() == this;
    g->setFont(m_font);
    const int32_t height = m_font->getHeight();
    for (int32_t i = 0; i < m_lines->length; ++i) {
        const JavaPtr<String>& line = (*m_lines)[i];
        const int32_t x = (*m_lineX)[i], y = (*m_lineY)[i];
        if (highlighted) {
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
            g->fillRect(x, y, m_font->stringWidth(line), height);
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND);
        } else {
            g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        }
        g->drawString(line, x, y, Graphics::TOP | Graphics::LEFT);
    }
}

}  // namespace javax::microedition::lcdui
