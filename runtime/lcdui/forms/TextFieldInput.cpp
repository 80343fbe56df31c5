// The text field's entry: multi-tap on the digit keys, keyboard characters and deletion, the
// symbol selector held on the star key, caret moves by traversal and by touch.
#include <algorithm>
#include <mutex>

#include "runtime/lang/Clocks.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/TextField.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::jchar;
using java::lang::String;
using Core = DisplayableCoreCanvas;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

int64_t now() { return java::lang::clocks::monotonicMillis(); }

// The characters of the digit keys 1 to 9, in cycling order.
constexpr const char16_t* KEY_SETS[] = {u".,/1", u"abc2", u"def3", u"ghi4", u"jkl5", u"mno6", u"pqrs7", u"tuv8", u"wxyz9"};
constexpr jchar SELECT_CHARS[] = {u'.', u',', u':', u';', u'/', u'\\', u'@'};

int32_t setLength(int32_t set) { return static_cast<int32_t>(std::char_traits<char16_t>::length(KEY_SETS[set])); }

}  // namespace

void TextField::m_commitPending() {
    if (m_pendingKeySet == -1) return;
    m_pendingKeySet = -1;
    if (m_constraints & PASSWORD) m_actualTextChanged(false);
    repaint();
}

void TextField::m_caretMoved() {
    // Else the next press of the same key would replace whatever now stands before the caret.
    m_commitPending();
}

void TextField::m_insertChar(jchar ch) {
    m_insertInternal(JavaPtr<String>(new String(ch)), m_caretPosition, false, true);
}

void TextField::keyPressed(int32_t keyCode) {
    std::lock_guard lock(lcdui());
    if (m_selectorOpen) return;
    const int64_t pressed = now();
    if (keyCode >= Core::KEY_NUM0 + 1 && keyCode <= Core::KEY_NUM9) {
        const int32_t set = keyCode - (Core::KEY_NUM0 + 1);
        if (m_pendingKeySet == set && keyCode == m_lastPressedKey && pressed <= m_lastPressTime + MULTI_TAP_COMMIT_MS &&
            m_caretPosition >= 1) {
            m_pendingCharacter = (m_pendingCharacter + 1) % setLength(set);
            JavaPtr<String> candidate = m_actualText->substring(0, m_caretPosition - 1) +
                                        JavaPtr<String>(new String(KEY_SETS[set][m_pendingCharacter])) +
                                        m_actualText->substring(m_caretPosition);
            if (m_validate(candidate)) {
                m_actualText = candidate;
                m_actualTextChanged(true);
            }
        } else {
            m_commitPending();
            m_pendingKeySet = set;
            m_pendingCharacter = 0;
            if (!m_insertInternal(JavaPtr<String>(new String(KEY_SETS[set][0])), m_caretPosition, false, true))
                m_pendingKeySet = -1;
        }
    } else if (m_pendingKeySet != -1) {
        invalidate();
        m_commitPending();
    }
    m_lastPressedKey = keyCode;
    m_lastPressTime = now();
}

void TextField::tick(int64_t) {
    std::lock_guard lock(lcdui());
    if (m_pendingKeySet == -1 || now() < m_lastPressTime + MULTI_TAP_COMMIT_MS) return;
    m_commitPending();
}

void TextField::keyReleased(int32_t keyCode) {
    std::lock_guard lock(lcdui());
    if (m_selectorOpen && getGameAction(keyCode) == Canvas::FIRE) {
        const int32_t symbol = m_selectorRow * SELECTOR_COLUMNS + m_selectorColumn;
        if (symbol < SELECTOR_SYMBOLS) m_insertChar(SELECT_CHARS[symbol]);
        m_hideCharSelector();
        return;
    }
    if (keyCode == Core::KEY_DELETE) {
        m_deleteInternal(m_caretPosition - 1, 1, false, true);
    } else if (keyCode >= Core::KEY_a && keyCode <= Core::KEY_z) {
        m_insertChar(static_cast<jchar>(u'a' + keyCode - Core::KEY_a));
    } else if (keyCode >= Core::KEY_A && keyCode <= Core::KEY_Z) {
        m_insertChar(static_cast<jchar>(u'A' + keyCode - Core::KEY_A));
    } else if (keyCode >= Core::KEY_KEYBOARD_NUM0 && keyCode <= Core::KEY_KEYBOARD_NUM9) {
        m_insertChar(static_cast<jchar>(u'0' + keyCode - Core::KEY_KEYBOARD_NUM0));
    } else if (const jchar ch = Core::getExtendedCharForCode(keyCode)) {
        m_insertChar(ch);
    }
}

void TextField::keyRepeated(int32_t keyCode) {
    std::lock_guard lock(lcdui());
    if (keyCode != Core::KEY_STAR || m_selectorOpen) return;
    m_selectorOpen = true;
    if (JavaPtr<FormCanvas> canvas = getFormCanvas()) {
        m_selectorCancel = java::lang::jnew<Command>();
        m_selectorCancel->WENDinvokeconstructor(LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_CANCEL), Command::CANCEL, 0);
        JavaPtr<JArray<Command>> commands(new JArray<Command>(1));
        (*commands)[0] = m_selectorCancel;
        canvas->setFormItemOverlay(JavaPtr<Item>(this), commands);
    }
    invalidate();
}

void TextField::command(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    if (command && command == m_selectorCancel) m_hideCharSelector();
}

void TextField::m_hideCharSelector() {
    if (JavaPtr<FormCanvas> canvas = getFormCanvas()) canvas->setFormItemOverlay(nullptr, nullptr);
    m_selectorOpen = false;
    invalidate();
}

bool TextField::traverse(int32_t dir, int32_t, int32_t, const JavaPtr<JArray<int32_t>>& visRect) {
    std::lock_guard lock(lcdui());
    if (m_selectorOpen) {
        if (dir == Canvas::DOWN && m_selectorRow < SELECTOR_ROWS - 1) ++m_selectorRow;
        if (dir == Canvas::UP && m_selectorRow > 0) --m_selectorRow;
        if (dir == Canvas::LEFT) {
            if (m_selectorColumn >= 1) {
                --m_selectorColumn;
            } else if (m_selectorRow > 0) {
                --m_selectorRow;
                m_selectorColumn = SELECTOR_COLUMNS - 1;
            }
        }
        if (dir == Canvas::RIGHT) {
            if (m_selectorColumn < SELECTOR_COLUMNS - 1) {
                ++m_selectorColumn;
            } else if (m_selectorRow < SELECTOR_ROWS - 1) {
                ++m_selectorRow;
                m_selectorColumn = 0;
            }
        }
        m_inside = true;
    } else if (m_rows && m_rows->length > 0) {
        const bool wasInside = m_inside;
        bool leaving = false;
        const int32_t last = m_rows->length - 1;
        const int32_t before = m_displayCaretPosition;
        if (dir == Canvas::DOWN) {
            if (!wasInside) {
                m_caretRow = 0;
            } else if (m_caretRow < last) {
                ++m_caretRow;
                m_caretColumn = m_rememberedColumn;
            } else {
                leaving = true;
            }
        } else if (dir == Canvas::UP) {
            if (!wasInside) {
                m_caretRow = last;
            } else if (m_caretRow >= 1) {
                --m_caretRow;
                m_caretColumn = m_rememberedColumn;
            } else {
                leaving = true;
            }
        } else if (dir == Canvas::LEFT && wasInside) {
            if (m_caretColumn >= 1) {
                --m_caretColumn;
            } else if (m_caretRow >= 1) {
                --m_caretRow;
                m_caretColumn = m_rowLength(m_caretRow);
            } else {
                leaving = true;
            }
        } else if (dir == Canvas::RIGHT && wasInside) {
            if (m_caretColumn < m_rowLength(m_caretRow)) {
                ++m_caretColumn;
            } else if (m_caretRow < last) {
                ++m_caretRow;
                m_caretColumn = 0;
            } else {
                leaving = true;
            }
        }
        m_caretRow = std::clamp(m_caretRow, 0, last);
        m_caretColumn = std::clamp(m_caretColumn, 0, m_rowLength(m_caretRow));
        if (dir == Canvas::LEFT || dir == Canvas::RIGHT) m_rememberedColumn = m_caretColumn;
        if (leaving) m_inside = false;
        if (!wasInside) m_inside = true;
        m_caretPosition = m_displayCaretPosition = m_rowStart(m_caretRow) + m_caretColumn;
        if (m_displayCaretPosition != before) m_caretMoved();
        repaint();
    }
    if (visRect && visRect->length >= 4) {
        (*visRect)[1] = m_caretRow * (m_font->getHeight() + ROW_GAP);
        (*visRect)[3] = m_font->getHeight() + ROW_GAP;
    }
    repaint();
    return m_inside;
}

void TextField::traverseOut() {
    std::lock_guard lock(lcdui());
    m_inside = false;
}

void TextField::pointerPressed(int32_t x, int32_t y) {
    {
        std::lock_guard lock(lcdui());
        if (!m_rows || m_rows->length == 0) return;
        const int32_t row = std::min(y / (m_font->getHeight() + ROW_GAP), m_rows->length - 1);
        const JavaPtr<String> line = (*m_rows)[std::max(row, 0)];
        int32_t column = line->length();
        for (int32_t i = 0; i < line->length(); ++i) {
            if (m_font->substringWidth(line, 0, i) > x) {
                column = i;
                break;
            }
        }
        const int32_t before = m_displayCaretPosition;
        m_caretRow = std::max(row, 0);
        m_caretColumn = m_rememberedColumn = column;
        m_caretPosition = m_displayCaretPosition = m_rowStart(m_caretRow) + column;
        if (m_displayCaretPosition != before) m_caretMoved();
        repaint();
    }
    requestHighlight();
}

}  // namespace javax::microedition::lcdui
