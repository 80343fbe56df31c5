#include "runtime/lcdui/chrome/OnScreenKeyboard.h"

#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Displayable.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
using Core = DisplayableCoreCanvas;
namespace bc = buildconstants;

namespace {

constexpr int32_t NUM_KEYS_IN_ROW[] = {14, 13, 12, 11, 6};
constexpr const char* SPECIAL = "SPECIAL_";
constexpr const char* SPECIALLABEL_DEL = "SPECIAL_DEL";
constexpr const char* SPECIALLABEL_TAB = "SPECIAL_Tab";
constexpr const char* SPECIALLABEL_CAPS = "SPECIAL_CAP";
constexpr const char* SPECIALLABEL_SHIFT = "SPECIAL_Shift";
constexpr const char* SPECIALLABEL_SPACE = "SPECIAL_SPACE";
constexpr const char* SPECIALLABEL_LEFTARROW = "SPECIAL_LEFT";
constexpr const char* SPECIALLABEL_RIGHTARROW = "SPECIAL_RIGHT";
constexpr const char* SPECIALLABEL_UPARROW = "SPECIAL_UP";
constexpr const char* SPECIALLABEL_DOWNARROW = "SPECIAL_DOWN";

// Widths in 1/2048 of the screen width, by key index.
constexpr int32_t keyWidth(int32_t index) {
    if (index == 13) return 215;
    if (index == 14 || index == 27 || index == 39) return 356;
    if (index == 51) return 1343;
    return 141;
}

constexpr const char* KEYBOARD_LABELS_UNSHIFTED[OnScreenKeyboard::NUM_KEYS] = {
    "`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", SPECIALLABEL_DEL,
    SPECIALLABEL_TAB, "q", "w", "e", "r", "t", "y", "u", "i", "o", "p", "[", "]",
    SPECIALLABEL_CAPS, "a", "s", "d", "f", "g", "h", "j", "k", "l", ";", "'",
    SPECIALLABEL_SHIFT, "z", "x", "c", "v", "b", "n", "m", ",", ".", "/",
    "\\", SPECIALLABEL_SPACE, SPECIALLABEL_LEFTARROW, SPECIALLABEL_RIGHTARROW, SPECIALLABEL_UPARROW,
    SPECIALLABEL_DOWNARROW};
constexpr const char* KEYBOARD_LABELS_SHIFTED[OnScreenKeyboard::NUM_KEYS] = {
    "~", "!", "@", "#", "$", "%", "^", "&", "*", "(", ")", "_", "+", SPECIALLABEL_DEL,
    SPECIALLABEL_TAB, "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "{", "}",
    SPECIALLABEL_CAPS, "A", "S", "D", "F", "G", "H", "J", "K", "L", ":", "\"",
    SPECIALLABEL_SHIFT, "Z", "X", "C", "V", "B", "N", "M", "<", ">", "?",
    "|", SPECIALLABEL_SPACE, SPECIALLABEL_LEFTARROW, SPECIALLABEL_RIGHTARROW, SPECIALLABEL_UPARROW,
    SPECIALLABEL_DOWNARROW};

struct KeyboardState {
    bool initialised = false;
    bool isShown = false;
    bool shiftDepressed = false;
    bool capsDepressed = false;
    int32_t bottomY = 0;
    int32_t currKeysBottomY = 0;
    int32_t mode = 0;
    int32_t keyPressIndex = -1;
    int32_t shiftKeyIndex = -1;
    int32_t capsKeyIndex = -1;
    bool highlightKeyPressed = false;
    JavaPtr<JArray<KeyInternal>> keys;
};

KeyboardState& state() {
    static KeyboardState keyboard;
    return keyboard;
}

std::unique_lock<std::recursive_mutex> lcduiLock() { return std::unique_lock(Canvas::paintLock()); }

bool labelIs(const JavaPtr<String>& label, const char* special) { return label->equals(JavaPtr<String>(new String(special))); }

}  // namespace

void OnScreenKeyboard::m_init() {
    KeyboardState& s = state();
    if (s.initialised) return;
    s.keys = JavaPtr<JArray<KeyInternal>>(new JArray<KeyInternal>(0));
    s.mode = -1;
    setMode(UNSHIFTED);
    s.initialised = true;
}

void OnScreenKeyboard::setMode(int32_t mode) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    if (s.initialised && s.mode == mode) return;
    s.mode = mode;
    s.currKeysBottomY = s.bottomY;
    s.keys = JavaPtr<JArray<KeyInternal>>(new JArray<KeyInternal>(0));
    if (mode != UNSHIFTED && mode != SHIFTED) return;
    const char* const* labels = mode == SHIFTED ? KEYBOARD_LABELS_SHIFTED : KEYBOARD_LABELS_UNSHIFTED;
    const int64_t width = Display::screenWidth.load();
    int32_t index = 0;
    for (int32_t row = 0; row < 5; ++row) {
        const int32_t rowY = s.bottomY - HEIGHT + ROW_HEIGHT * row;
        int32_t units = 0;
        for (int32_t column = 0; column < NUM_KEYS_IN_ROW[row]; ++column, ++index) {
            JavaPtr<KeyInternal> key = java::lang::jnew<KeyInternal>();
            key->x = static_cast<int32_t>((width * units) >> 11);
            key->width = static_cast<int32_t>((width * (units + keyWidth(index))) >> 11) - key->x;
            key->y = rowY;
            key->height = ROW_HEIGHT;
            key->label = JavaPtr<String>(new String(labels[index]));
            // Neighbours share their border lines.
            if (column > 0) {
                key->x -= 1;
                key->width += 1;
            }
            if (row > 0) {
                key->y -= 1;
                key->height += 1;
            }
            if (labelIs(key->label, SPECIALLABEL_CAPS)) s.capsKeyIndex = index;
            if (labelIs(key->label, SPECIALLABEL_SHIFT)) s.shiftKeyIndex = index;
            units += keyWidth(index);
            s.keys->append(key);
        }
    }
    m_setNeedsRepaint();
}

void OnScreenKeyboard::show() {
    auto lock = lcduiLock();
    m_init();
    state().isShown = true;
    m_setNeedsRepaint();
}

void OnScreenKeyboard::hide() {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    s.isShown = false;
    s.keyPressIndex = -1;
    s.highlightKeyPressed = false;
    m_setNeedsRepaint();
}

bool OnScreenKeyboard::isShown() {
    auto lock = lcduiLock();
    return state().isShown;
}

void OnScreenKeyboard::setBottomY(int32_t y) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    s.bottomY = y;
    for (int32_t i = 0; s.keys && i < s.keys->length; ++i) (*s.keys)[i]->y += y - s.currKeysBottomY;
    s.currKeysBottomY = y;
    m_setNeedsRepaint();
}

int32_t OnScreenKeyboard::m_keyCodeForKey(int32_t index) {
    KeyboardState& s = state();
    if (index == -2) return Core::KEY_ENTER;
    if (index < 0 || !s.keys || index >= s.keys->length) return Core::NO_KEY;
    const JavaPtr<String>& label = (*s.keys)[index]->label;
    if (label->indexOf(JavaPtr<String>(new String(SPECIAL))) >= 0) {
        if (labelIs(label, SPECIALLABEL_LEFTARROW)) return Core::KEY_LEFT;
        if (labelIs(label, SPECIALLABEL_RIGHTARROW)) return Core::KEY_RIGHT;
        if (labelIs(label, SPECIALLABEL_UPARROW)) return Core::KEY_UP;
        if (labelIs(label, SPECIALLABEL_DOWNARROW)) return Core::KEY_DOWN;
        if (labelIs(label, SPECIALLABEL_DEL)) return Core::KEY_DELETE;
        if (labelIs(label, SPECIALLABEL_SPACE)) return Core::KEY_SPACEBAR;
        return Core::NO_KEY;
    }
    const jchar ch = label->charAt(0);
    if (ch >= u'a' && ch <= u'z') return Core::KEY_a + (ch - u'a');
    if (ch >= u'A' && ch <= u'Z') return Core::KEY_A + (ch - u'A');
    if (ch >= u'0' && ch <= u'9') return Core::KEY_KEYBOARD_NUM0 + (ch - u'0');
    return Core::getExtendedCodeForChar(ch);
}

bool OnScreenKeyboard::m_inOskBounds(int32_t x, int32_t y) {
    const KeyboardState& s = state();
    return s.isShown && x >= 0 && x <= Display::screenWidth.load() && y >= s.bottomY - HEIGHT && y <= s.bottomY;
}

int32_t OnScreenKeyboard::m_keyUnderPoint(int32_t x, int32_t y) {
    const KeyboardState& s = state();
    if (!m_inOskBounds(x, y)) return -1;
    for (int32_t i = 0; s.keys && i < s.keys->length; ++i)
        if ((*s.keys)[i]->contains(x, y)) return i;
    return -2;
}

void OnScreenKeyboard::m_shiftStateChanged() {
    const KeyboardState& s = state();
    setMode(s.shiftDepressed != s.capsDepressed ? SHIFTED : UNSHIFTED);
}

void OnScreenKeyboard::m_setNeedsRepaint() {
    JavaPtr<Canvas> canvas;
    if (JavaPtr<Displayable> current = Display::currentDisplayable()) canvas = current->getCorrespondingCanvas();
    if (auto core = recastObj<DisplayableCoreCanvas>(canvas)) core->setNeedsRepaint();
}

void OnScreenKeyboard::m_sendKey(bool pressed, int32_t code) {
    JavaPtr<Canvas> canvas;
    if (JavaPtr<Displayable> current = Display::currentDisplayable()) canvas = current->getCorrespondingCanvas();
    if (!canvas) return;
    if (pressed) {
        canvas->keyPressed(code);
    } else {
        canvas->keyReleased(code);
    }
}

bool OnScreenKeyboard::pointerPressed(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    if (!m_inOskBounds(x, y)) return false;
    s.keyPressIndex = m_keyUnderPoint(x, y);
    s.highlightKeyPressed = true;
    const int32_t code = m_keyCodeForKey(s.keyPressIndex);
    if (code != Core::NO_KEY) {
        m_setNeedsRepaint();
        m_sendKey(true, code);
    }
    return true;
}

bool OnScreenKeyboard::pointerDragged(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    if (s.keyPressIndex == -1) return false;
    // On the keyboard or off it, the key pressed is lit exactly while the finger is on it.
    if (s.keyPressIndex >= 0 && s.keys && s.keyPressIndex < s.keys->length) {
        const bool onKey = (*s.keys)[s.keyPressIndex]->contains(x, y);
        if (onKey != s.highlightKeyPressed) {
            s.highlightKeyPressed = onKey;
            m_setNeedsRepaint();
        }
    }
    return true;
}

bool OnScreenKeyboard::pointerReleased(int32_t, int32_t) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    // Wherever the finger lifts, the key pressed is released: its receiver holds it until then.
    if (s.keyPressIndex == -1) return false;
    const int32_t pressed = s.keyPressIndex;
    const int32_t code = m_keyCodeForKey(pressed);
    // Reset first: the key's receiver may hide the keyboard or press again.
    s.keyPressIndex = -1;
    s.highlightKeyPressed = false;
    m_setNeedsRepaint();
    if (code != Core::NO_KEY) {
        if (s.shiftDepressed) {
            s.shiftDepressed = false;
            setMode(s.capsDepressed ? SHIFTED : UNSHIFTED);
        }
        m_sendKey(false, code);
    } else if (pressed >= 0) {
        if (pressed == s.capsKeyIndex) {
            s.capsDepressed = !s.capsDepressed;
            m_shiftStateChanged();
        } else if (pressed == s.shiftKeyIndex) {
            s.shiftDepressed = !s.shiftDepressed;
            m_shiftStateChanged();
        }
    }
    return true;
}

void OnScreenKeyboard::cancelPress() {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    if (s.keyPressIndex < 0 && !s.highlightKeyPressed) return;
    s.keyPressIndex = -1;
    s.highlightKeyPressed = false;
    m_setNeedsRepaint();
}

void OnScreenKeyboard::paint(const JavaPtr<Graphics>& g) {
    auto lock = lcduiLock();
    KeyboardState& s = state();
    if (!s.isShown) return;
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(0, s.bottomY - HEIGHT, Display::screenWidth.load(), HEIGHT);
    for (int32_t i = 0; s.keys && i < s.keys->length; ++i) {
        const KeyInternal& key = *(*s.keys)[i];
        g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        const bool highlighted = (i == s.keyPressIndex && s.highlightKeyPressed) ||
                                 (i == s.shiftKeyIndex && s.shiftDepressed) || (i == s.capsKeyIndex && s.capsDepressed);
        if (highlighted) {
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
            g->fillRect(key.x, key.y, key.width, key.height);
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND);
        }
        g->drawRect(key.x, key.y, key.width, key.height);
        const JavaPtr<String>& label = key.label;
        const int32_t special = label->indexOf(JavaPtr<String>(new String(SPECIAL)));
        if (special < 0) {
            g->drawString(label, key.x + key.width / 2, key.y + key.height / 2, Graphics::HCENTER | Graphics::VCENTER);
            continue;
        }
        const int32_t ax = key.x + 4, ay = key.y + 4, aw = key.width - 8, ah = key.height - 8;
        const int32_t head = key.height / 4;
        if (labelIs(label, SPECIALLABEL_DEL) || labelIs(label, SPECIALLABEL_LEFTARROW)) {
            Core::drawHorizontalArrow(g, true, ax, ay, aw, ah, 2, key.width - 8 - head);
        } else if (labelIs(label, SPECIALLABEL_RIGHTARROW)) {
            Core::drawHorizontalArrow(g, false, ax, ay, aw, ah, 2, key.width - 8 - head);
        } else if (labelIs(label, SPECIALLABEL_UPARROW) || labelIs(label, SPECIALLABEL_DOWNARROW)) {
            Core::drawVerticalArrow(g, labelIs(label, SPECIALLABEL_UPARROW), ax, ay, aw, ah, 2, key.height - 8 - head);
        } else if (!labelIs(label, SPECIALLABEL_SPACE)) {
            g->drawString(label->substring(special + 8), key.x + key.width / 2, key.y + key.height / 2,
                          Graphics::HCENTER | Graphics::VCENTER);
        }
    }
}

void OnScreenKeyboard::OnScreenKeyboard_staticDestroy() {
    auto lock = lcduiLock();
    state() = KeyboardState{};
}

JavaPtr<KeyInternal> OnScreenKeyboard::keyAt(int32_t index) {
    auto lock = lcduiLock();
    const KeyboardState& s = state();
    if (!s.keys || index < 0 || index >= s.keys->length) return nullptr;
    return (*s.keys)[index];
}

int32_t OnScreenKeyboard::getMode() {
    auto lock = lcduiLock();
    return state().mode;
}

bool OnScreenKeyboard::shiftEngaged() {
    auto lock = lcduiLock();
    return state().shiftDepressed;
}

bool OnScreenKeyboard::capsEngaged() {
    auto lock = lcduiLock();
    return state().capsDepressed;
}

}  // namespace javax::microedition::lcdui
