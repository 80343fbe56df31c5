// The text field's model: the text under its constraints, editing, the caret, the display rows and
// the painting; its key, traversal and touch entry are in TextFieldInput.cpp.
#include "runtime/lcdui/forms/TextField.h"

#include <algorithm>
#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::jchar;
using java::lang::String;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

JavaPtr<String> emptyString() { return JavaPtr<String>(new String("")); }

constexpr jchar SELECT_CHARS[] = {u'.', u',', u':', u';', u'/', u'\\', u'@'};

}  // namespace

void TextField::WENDinvokeconstructor(const JavaPtr<String>& label, const JavaPtr<String>& text, int32_t maxSize,
                                      int32_t constraints, bool boxMode) {
    Item::WENDinvokeconstructor();
    if (maxSize < 1) throw java::lang::IllegalArgumentException();
    std::lock_guard lock(lcdui());
    m_contentWidth = Display::screenWidth.load();
    m_font = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    setLabel(label);
    // A null text is held as an empty one: the caret always has a row to stand in.
    m_actualText = text ? text : emptyString();
    m_maxSize = maxSize;
    m_pendingKeySet = -1;
    m_constraints = constraints;
    m_actualTextChanged(false);
    m_caretPosition = m_rememberedColumn = m_displayCaretPosition = 0;
    m_findCaret();
    m_lastPressTime = -1;
    m_lastPressedKey = -9999;
    m_selectorRow = m_selectorColumn = 0;
    m_selectorOpen = false;
    m_inside = false;
    m_boxMode = boxMode;
}

void TextField::notifyStateChanged() {
    if (!m_boxMode) Item::notifyStateChanged();
}

JavaPtr<String> TextField::getString() {
    std::lock_guard lock(lcdui());
    return m_actualText;
}

int32_t TextField::size() {
    std::lock_guard lock(lcdui());
    return m_size;
}

int32_t TextField::getMaxSize() {
    std::lock_guard lock(lcdui());
    return m_maxSize;
}

int32_t TextField::getConstraints() {
    std::lock_guard lock(lcdui());
    return m_constraints;
}

int32_t TextField::getCaretPosition() {
    std::lock_guard lock(lcdui());
    return m_caretPosition;
}

JavaPtr<String> TextField::displayText() {
    std::lock_guard lock(lcdui());
    return m_displayText;
}

int32_t TextField::rowCount() {
    std::lock_guard lock(lcdui());
    return m_rows ? m_rows->length : 0;
}

int32_t TextField::caretRow() {
    std::lock_guard lock(lcdui());
    return m_caretRow;
}

bool TextField::selectorOpen() {
    std::lock_guard lock(lcdui());
    return m_selectorOpen;
}

bool TextField::m_validate(const JavaPtr<String>& candidate) {
    if (!(m_constraints & UNEDITABLE)) return true;
    // Compared by contents: an uneditable field accepts its own text again, and nothing new.
    if (!candidate || !m_actualText) return !candidate && !m_actualText;
    return candidate->equals(m_actualText);
}

void TextField::m_clampCaret() {
    m_caretPosition = std::clamp(m_caretPosition, 0, m_size);
    m_displayCaretPosition = m_caretPosition;
    m_findCaret();
}

void TextField::setString(const JavaPtr<String>& text) {
    std::lock_guard lock(lcdui());
    JavaPtr<String> value = text ? text : emptyString();
    if (value->length() > m_maxSize || !m_validate(value)) throw java::lang::IllegalArgumentException();
    m_actualText = value;
    m_actualTextChanged(false);
    m_clampCaret();
}

void TextField::setChars(const JavaPtr<JArray<jchar>>& data, int32_t offset, int32_t length) {
    // Checked as insert checks them, before a string is made of them.
    if (!data) throw java::lang::NullPointerException();
    if (offset < 0 || length < 0 || offset > data->length || static_cast<int64_t>(offset) + length > data->length)
        throw java::lang::ArrayIndexOutOfBoundsException();
    setString(JavaPtr<String>(new String(data, offset, length)));
}

int32_t TextField::getChars(const JavaPtr<JArray<jchar>>& data) {
    std::lock_guard lock(lcdui());
    if (!data) throw java::lang::NullPointerException();
    if (data->length < m_size) throw java::lang::ArrayIndexOutOfBoundsException();
    for (int32_t i = 0; i < m_size; ++i) (*data)[i] = m_actualText->charAt(i);
    return m_size;
}

void TextField::insert(const JavaPtr<String>& text, int32_t position) {
    std::lock_guard lock(lcdui());
    m_insertInternal(text, position, true, false);
}

void TextField::insert(const JavaPtr<JArray<jchar>>& data, int32_t offset, int32_t length, int32_t position) {
    if (!data) throw java::lang::NullPointerException();
    if (offset < 0 || offset > data->length || length < 0 || static_cast<int64_t>(offset) + length > data->length)
        throw java::lang::ArrayIndexOutOfBoundsException();
    insert(JavaPtr<String>(new String(data, offset, length)), position);
}

void TextField::deleteJ(int32_t offset, int32_t length) {
    std::lock_guard lock(lcdui());
    m_deleteInternal(offset, length, true, false);
}

int32_t TextField::setMaxSize(int32_t maxSize) {
    std::lock_guard lock(lcdui());
    if (maxSize < 1) throw java::lang::IllegalArgumentException();
    if (m_size > maxSize) {
        JavaPtr<String> candidate = m_actualText->substring(0, maxSize);
        if (!m_validate(candidate)) throw java::lang::IllegalArgumentException();
        m_actualText = candidate;
        m_actualTextChanged(false);
        m_clampCaret();
    }
    m_maxSize = maxSize;
    return maxSize;
}

void TextField::setConstraints(int32_t constraints) {
    std::lock_guard lock(lcdui());
    if (!m_validate(m_actualText)) m_actualText = emptyString();
    m_constraints = constraints;
    m_actualTextChanged(false);
    m_clampCaret();
    repaint();
}

bool TextField::m_insertInternal(const JavaPtr<String>& text, int32_t position, bool throwing, bool notify) {
    if (!text) {
        if (throwing) throw java::lang::NullPointerException();
        return false;
    }
    if (static_cast<int64_t>(m_size) + text->length() > m_maxSize) {
        if (throwing) throw java::lang::IllegalArgumentException();
        return false;
    }
    if (position < 0 || position > m_size) throw java::lang::StringIndexOutOfBoundsException();
    JavaPtr<String> candidate = m_actualText->substring(0, position) + text + m_actualText->substring(position);
    if (!m_validate(candidate)) {
        if (throwing) throw java::lang::IllegalArgumentException();
        return false;
    }
    if (position <= m_caretPosition) m_caretPosition += text->length();
    m_actualText = candidate;
    m_actualTextChanged(notify);
    m_displayCaretPosition = m_caretPosition;
    m_findCaret();
    repaint();
    return true;
}

bool TextField::m_deleteInternal(int32_t offset, int32_t length, bool throwing, bool notify) {
    if (offset < 0 || length < 0 || offset > m_size || static_cast<int64_t>(offset) + length > m_size) {
        if (throwing) throw java::lang::StringIndexOutOfBoundsException();
        return false;
    }
    if (length == 0) return true;
    JavaPtr<String> candidate =
        (offset < 1 ? emptyString() : m_actualText->substring(0, offset)) + m_actualText->substring(offset + length);
    if (!m_validate(candidate)) {
        if (throwing) throw java::lang::IllegalArgumentException();
        return false;
    }
    const int32_t end = offset + length;
    if (m_caretPosition >= end) {
        m_caretPosition -= length;
    } else if (m_caretPosition >= offset) {
        m_caretPosition = offset;
    }
    m_actualText = candidate;
    m_actualTextChanged(notify);
    m_displayCaretPosition = m_caretPosition;
    m_findCaret();
    repaint();
    return true;
}

void TextField::m_actualTextChanged(bool notify) {
    m_setDisplayTextFromActualText();
    m_size = m_actualText ? m_actualText->length() : 0;
    if (notify) notifyStateChanged();
    m_wrapText();
    repaint();
}

void TextField::m_setDisplayTextFromActualText() {
    if (!(m_constraints & PASSWORD) || !m_actualText) {
        m_displayText = m_actualText;
        return;
    }
    const int32_t length = m_actualText->length();
    JavaPtr<JArray<jchar>> masked(new JArray<jchar>(length));
    for (int32_t i = 0; i < length; ++i) (*masked)[i] = u'*';
    // The character just typed shows in clear until it is committed.
    if (m_pendingKeySet != -1 && m_caretPosition - 1 >= 0 && m_caretPosition - 1 < length)
        (*masked)[m_caretPosition - 1] = m_actualText->charAt(m_caretPosition - 1);
    m_displayText = JavaPtr<String>(new String(masked));
}

void TextField::m_wrapText() {
    const int32_t oldCount = m_rows ? m_rows->length : -1;
    m_rows = JavaPtr<JArray<String>>(new JArray<String>(0));
    m_rowStarts = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(0));
    m_rowHyphens = JavaPtr<JArray<bool>>(new JArray<bool>(0));
    for (int32_t index = 0; m_displayText;) {
        int32_t next = -1;
        bool hyphen = false;
        JavaPtr<String> line = StringItem::wrapTextLine(index, m_contentWidth, &next, &hyphen, m_displayText, m_font);
        if (hyphen) line = line->substring(0, line->length() - 1);
        if (line) {
            m_rows->append(line);
            m_rowStarts->append(index);
            m_rowHyphens->append(hyphen);
        }
        if (next == -1 || next <= index) break;
        index = next;
    }
    if (m_rows->length == oldCount) return;
    invalidate();
    m_findCaret();
    if (m_caretRow >= m_rows->length && m_rows->length > 0) {
        m_caretRow = m_rows->length - 1;
        m_caretColumn = m_rowLength(m_caretRow);
        m_caretPosition = m_displayCaretPosition = m_rowStart(m_caretRow) + m_caretColumn;
        repaint();
    }
}

int32_t TextField::m_rowLength(int32_t row) { return (*m_rows)[row]->length(); }
int32_t TextField::m_rowStart(int32_t row) { return (*m_rowStarts)[row]; }

void TextField::m_findCaret() {
    for (int32_t i = 0; m_rows && i < m_rows->length; ++i) {
        const int32_t start = m_rowStart(i);
        if (start <= m_displayCaretPosition && m_displayCaretPosition <= start + m_rowLength(i)) {
            m_caretRow = i;
            m_caretColumn = m_displayCaretPosition - start;
        }
    }
}

void TextField::sizeChanged(int32_t, int32_t) {
    std::lock_guard lock(lcdui());
    m_wrapText();
}

int32_t TextField::getMinContentWidth() { return Display::screenWidth.load(); }

int32_t TextField::getMinContentHeight() {
    std::lock_guard lock(lcdui());
    const int32_t rowHeight = m_font->getHeight() + ROW_GAP;
    if (!m_rows) return rowHeight;
    int32_t height = m_rows->length * rowHeight + ROW_GAP;
    if (m_boxMode) {
        if (JavaPtr<Form> form = getContainingForm()) height = std::max(height, form->getHeight() * 8 / 10);
    }
    return height;
}

void TextField::paint(const JavaPtr<Graphics>& g, int32_t, int32_t) {
    std::lock_guard lock(lcdui());
    const bool highlighted = m_form && m_form->highlightedItem().get() == this;
    g->setFont(m_font);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    const int32_t fontHeight = m_font->getHeight();
    int32_t y = ROW_GAP;
    for (int32_t i = 0; m_rows && i < m_rows->length; ++i) {
        JavaPtr<String> line = (*m_rows)[i];
        if ((*m_rowHyphens)[i]) line = line + "-";
        g->drawString(line, 0, y, Graphics::TOP | Graphics::LEFT);
        // The pending multi-tap character marks the place itself.
        if (highlighted && i == m_caretRow && m_pendingKeySet == -1) {
            m_caretColumn = std::min(m_caretColumn, line->length());
            const int32_t x = m_font->substringWidth(line, 0, m_caretColumn);
            g->drawLine(x, y, x, y + fontHeight);
        }
        y += fontHeight + ROW_GAP;
    }
    if (m_selectorOpen) m_paintSelector(g);
}

void TextField::m_paintSelector(const JavaPtr<Graphics>& g) {
    const int32_t tx = g->getTranslateX(), ty = g->getTranslateY();
    g->translate(-tx, -ty);
    g->setClip(0, 0, Display::screenWidth.load(), Display::screenHeight.load());
    if (JavaPtr<FormCanvas> canvas = getFormCanvas()) {
        auto area = java::lang::jnew<JArray<int32_t>>(4);
        canvas->getUnreservedArea(area);
        const int32_t width = SELECTOR_COLUMNS * SELECTOR_CELL, height = SELECTOR_ROWS * SELECTOR_CELL;
        const int32_t x0 = ((*area)[2] - (*area)[0] - width) / 2, y0 = ((*area)[3] - (*area)[1] - height) / 2;
        g->setColor(bc::LCDUI_COLOR_BORDER);
        g->drawRect(x0, y0, width, height);
        for (int32_t column = 0; column < SELECTOR_COLUMNS; ++column) {
            const int32_t cx = x0 + SELECTOR_CELL * column;
            for (int32_t row = 0; row < SELECTOR_ROWS; ++row) {
                const int32_t cy = y0 + SELECTOR_CELL * row;
                const bool selected = row == m_selectorRow && column == m_selectorColumn;
                g->setColor(selected ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
                g->fillRect(cx, cy, SELECTOR_CELL, SELECTOR_CELL);
                const int32_t symbol = row * SELECTOR_COLUMNS + column;
                if (symbol < SELECTOR_SYMBOLS) {
                    g->setColor(selected ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
                    g->drawString(JavaPtr<String>(new String(SELECT_CHARS[symbol])),
                                  cx + SELECTOR_CELL / 2, cy + SELECTOR_CELL / 2, Graphics::HCENTER | Graphics::VCENTER);
                }
                g->setColor(bc::LCDUI_COLOR_BORDER);
                g->drawRect(cx, cy, SELECTOR_CELL, SELECTOR_CELL);
            }
        }
    }
    g->translate(tx - g->getTranslateX(), ty - g->getTranslateY());
}

}  // namespace javax::microedition::lcdui
