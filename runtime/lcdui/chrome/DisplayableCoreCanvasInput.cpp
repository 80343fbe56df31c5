// The chrome canvas's input: one entry wrapper, the event buffer and its replay, key repeat, the
// soft keys and the popup menu by key and by touch, the scroll bar, and firing commands.
#include <algorithm>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/ItemCommandListener.h"
#include "runtime/lcdui/forms/List.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

// ISO 8859-1: each byte, unsigned, is the character of code 2000 + its index.
constexpr char EXTENDED_CHARS[] = "#*\n .,;:'\"!?(){}[]/\\~|`_+-=%<>^$\xA3&@";
static_assert(sizeof(EXTENDED_CHARS) - 1 ==
              DisplayableCoreCanvas::KEY_EXTENDED_CHARS_END - DisplayableCoreCanvas::KEY_EXTENDED_CHARS_BEGIN);

int64_t now() { return java::lang::clocks::monotonicMillis(); }

}  // namespace

java::lang::jchar DisplayableCoreCanvas::getExtendedCharForCode(int32_t code) {
    if (code < KEY_EXTENDED_CHARS_BEGIN || code >= KEY_EXTENDED_CHARS_END) return 0;
    return static_cast<unsigned char>(EXTENDED_CHARS[code - KEY_EXTENDED_CHARS_BEGIN]);
}

int32_t DisplayableCoreCanvas::getExtendedCodeForChar(java::lang::jchar ch) {
    for (int32_t i = 0; i < KEY_EXTENDED_CHARS_END - KEY_EXTENDED_CHARS_BEGIN; ++i)
        if (static_cast<unsigned char>(EXTENDED_CHARS[i]) == ch) return KEY_EXTENDED_CHARS_BEGIN + i;
    return NO_KEY;
}

void DisplayableCoreCanvas::keyPressed(int32_t keyCode) { m_inputEntry(InputEvent::KEY_PRESSED, keyCode, -1); }
void DisplayableCoreCanvas::keyReleased(int32_t keyCode) { m_inputEntry(InputEvent::KEY_RELEASED, keyCode, -1); }
void DisplayableCoreCanvas::keyRepeated(int32_t keyCode) { m_inputEntry(InputEvent::KEY_REPEATED, keyCode, -1); }
void DisplayableCoreCanvas::pointerPressed(int32_t x, int32_t y) { m_inputEntry(InputEvent::POINTER_PRESSED, x, y); }
void DisplayableCoreCanvas::pointerReleased(int32_t x, int32_t y) { m_inputEntry(InputEvent::POINTER_RELEASED, x, y); }
void DisplayableCoreCanvas::pointerDragged(int32_t x, int32_t y) { m_inputEntry(InputEvent::POINTER_DRAGGED, x, y); }

void DisplayableCoreCanvas::m_inputEntry(InputEvent::EventType type, int32_t a, int32_t b) {
    const bool isKey = type <= InputEvent::KEY_REPEATED;
    if (isKey && a == NO_KEY) return;
    // Only tried: when it is busy (a tick, a paint, or the MIDlet changing the screen) the event
    // waits for the tick, so that the UI thread never waits on application code.
    std::unique_lock lock(paintLock(), std::try_to_lock);
    if (m_heldBackOrDropped(type, a, b, !lock.owns_lock())) return;
    m_dispatchGuarded(type, a, b);
}

bool DisplayableCoreCanvas::m_heldBackOrDropped(InputEvent::EventType type, int32_t a, int32_t b, bool lockBusy) {
    std::lock_guard guard(m_bufferLock);
    // Checked under the buffer's lock, so that no event joins the buffer after hideNotify emptied it.
    if (m_hidden) return true;
    // Once one event waits, later ones wait behind it until the replay.
    const bool wait =
        lockBusy || (!m_replaying.load() && (!m_eventBuffer.empty() || Display::lcdUITickInProgress.load()));
    if (!wait) return false;
    // Nothing is dropped: a lost release would leave a key repeating or a press active. Past the
    // limit a drag only moves the drag waiting last, so a stream of drags cannot grow the buffer.
    const InputEvent event{type, a, b, now()};
    if (type == InputEvent::POINTER_DRAGGED && static_cast<int32_t>(m_eventBuffer.size()) >= EVENT_BUFFER_LIMIT &&
        m_eventBuffer.back().type == InputEvent::POINTER_DRAGGED) {
        m_eventBuffer.back() = event;
    } else {
        m_eventBuffer.push_back(event);
    }
    return true;
}

int32_t DisplayableCoreCanvas::getEventBufferCount() {
    std::lock_guard guard(m_bufferLock);
    return static_cast<int32_t>(m_eventBuffer.size());
}

void DisplayableCoreCanvas::m_dispatchGuarded(InputEvent::EventType type, int32_t a, int32_t b) {
    // Counted, not set: a handler may deliver nested input (the keyboard sends keys).
    struct Depth {
        Depth() { ++Display::lcdUIEventInProgress; }
        ~Depth() { --Display::lcdUIEventInProgress; }
    } depth;
    // The listener a command reaches may let go of the screen and with it this canvas.
    JavaPtr<DisplayableCoreCanvas> self(this);
    java::lang::runGuarded([&] { dispatchInput(type, a, b); });
}

bool DisplayableCoreCanvas::dispatchInput(InputEvent::EventType type, int32_t a, int32_t b) {
    switch (type) {
        case InputEvent::KEY_PRESSED: return handleKeyPressed(a);
        case InputEvent::KEY_RELEASED: return handleKeyReleased(a);
        case InputEvent::KEY_REPEATED: return handleKeyRepeated(a);
        case InputEvent::POINTER_PRESSED: return handlePointerPressed(a, b);
        case InputEvent::POINTER_RELEASED: return handlePointerReleased(a, b);
        case InputEvent::POINTER_DRAGGED: return handlePointerDragged(a, b);
    }
    return false;
}

void DisplayableCoreCanvas::replayBufferedEvents() {
    std::lock_guard lock(paintLock());
    m_replaying = true;
    struct Done {
        std::atomic<bool>& replaying;
        ~Done() { replaying = false; }
    } done{m_replaying};
    // Events that come in meanwhile join the buffer and are taken in the next round; the rounds
    // are bounded so that a flood cannot hold the tick.
    for (int32_t round = 0; round < 4; ++round) {
        std::vector<InputEvent> batch;
        {
            std::lock_guard guard(m_bufferLock);
            batch.swap(m_eventBuffer);
        }
        if (batch.empty()) return;
        for (const InputEvent& event : batch) {
            m_dispatchGuarded(event.type, event.a, event.b);
            java::lang::runGuarded([&] { m_checkKeyRepeat(now()); });
        }
    }
}

void DisplayableCoreCanvas::tick(int64_t) {
    std::lock_guard lock(paintLock());
    m_checkKeyRepeat(now());
}

void DisplayableCoreCanvas::m_checkKeyRepeat(int64_t nowMs) {
    if (m_heldKey == NO_KEY) {
        m_repeating = false;
        return;
    }
    if (m_repeating) {
        if (nowMs - m_lastRepeatTime <= KEY_REPEAT_MS) return;
    } else {
        if (nowMs - m_pressTime <= KEY_REPEAT_BEGIN_MS) return;
        m_repeating = true;
    }
    m_lastRepeatTime = nowMs;
    keyRepeated(m_heldKey);
}

bool DisplayableCoreCanvas::m_isForwardKey(int32_t key) const {
    return key == (buildconstants::LCDUI_SOFTKEYS_RENDER_BACK_ON_LEFT ? KEY_SOFTKEY_RIGHT : KEY_SOFTKEY_LEFT);
}

bool DisplayableCoreCanvas::m_isBackKey(int32_t key) const {
    return key == (buildconstants::LCDUI_SOFTKEYS_RENDER_BACK_ON_LEFT ? KEY_SOFTKEY_LEFT : KEY_SOFTKEY_RIGHT);
}

bool DisplayableCoreCanvas::handleKeyPressed(int32_t key) {
    if (key == NO_KEY) return true;
    std::lock_guard lock(paintLock());
    const bool forward = m_isForwardKey(key);
    const bool back = m_isBackKey(key);
    if (forward) m_forwardKeyPressed = true;
    if (back) m_backKeyPressed = true;
    if (forward || back) setNeedsRepaint();
    m_heldKey = key;
    m_pressTime = now();
    return forward || back;
}

void DisplayableCoreCanvas::m_openPopup() {
    m_popupOpen = true;
    m_popupSelection = 0;
}

void DisplayableCoreCanvas::m_firePopupRow(int32_t row) {
    // Only a row of the list now shown acts: a stale row from before a relayout fires nothing.
    if (!m_popupOpen) return;
    m_popupOpen = false;
    if (row < 0 || row >= m_popupCommands->length) return;
    JavaPtr<Command> command = (*m_popupCommands)[row];
    triggerCommand(command);
}

bool DisplayableCoreCanvas::handleKeyReleased(int32_t key) {
    if (key == NO_KEY) return true;
    std::lock_guard lock(paintLock());
    if (key != m_heldKey) return false;
    const bool wasOpen = m_popupOpen;
    m_heldKey = NO_KEY;
    if (m_repeating) return false;
    bool repaint = false;
    if (m_forwardKeyPressed || m_backKeyPressed || m_upArrowPressed || m_downArrowPressed) {
        m_forwardKeyPressed = m_backKeyPressed = m_upArrowPressed = m_downArrowPressed = false;
        repaint = true;
    }
    // However the handling below ends (a command's listener may throw), a popup opened or closed
    // here is repainted with fresh touch areas.
    struct Finish {
        DisplayableCoreCanvas& canvas;
        bool wasOpen;
        bool& repaint;
        ~Finish() {
            if (canvas.m_popupOpen != wasOpen) canvas.m_invalidateTouchscreenAreas();
            if (repaint) canvas.setNeedsRepaint();
        }
    } finish{*this, wasOpen, repaint};
    const bool forward = m_isForwardKey(key);
    const bool back = m_isBackKey(key);
    if (!m_popupOpen) {
        if (back) {
            triggerCommand(m_backCommand);
            return false;
        }
        if (forward && !m_menuInUse) {
            triggerCommand(m_forwardCommand);
            return false;
        }
        if (forward) {
            m_openPopup();
            return true;
        }
        return false;
    }
    if (forward || getGameAction(key) == FIRE) {
        m_firePopupRow(m_popupSelection);
        return true;
    }
    if (back) {
        m_popupOpen = false;
        return true;
    }
    if (m_navigatePopupMenu(key)) return true;
    return false;
}

bool DisplayableCoreCanvas::handleKeyRepeated(int32_t key) {
    if (key == NO_KEY) return true;
    std::lock_guard lock(paintLock());
    if (!m_popupOpen) return false;
    return m_navigatePopupMenu(key);
}

bool DisplayableCoreCanvas::m_navigatePopupMenu(int32_t key) {
    const int32_t rows = m_popupCommands->length;
    if (rows == 0) return false;
    const int32_t action = getGameAction(key);
    if (action == UP) {
        m_popupSelection = m_popupSelection <= 0 ? rows - 1 : m_popupSelection - 1;
    } else if (action == DOWN) {
        m_popupSelection = m_popupSelection >= rows - 1 ? 0 : m_popupSelection + 1;
    } else {
        return false;
    }
    setNeedsRepaint();
    return true;
}

// A press goes to the chrome's areas first, then to the open popup, which swallows every other
// touch, then to the keyboard, else to the content. Whichever took it has its drags and its
// release wherever they land, so that no key or area is left held; with no press taken they go nowhere.
bool DisplayableCoreCanvas::handlePointerPressed(int32_t x, int32_t y) {
    std::lock_guard lock(paintLock());
    TouchScreenAreaManager::setAreaGroup(0);
    if (TouchScreenAreaManager::pointerPressed(x, y)) {
        m_pointerTaker = PointerTaker::AREAS;
    } else if (m_popupOpen) {
        m_pointerTaker = PointerTaker::POPUP;
    } else if (OnScreenKeyboard::pointerPressed(x, y)) {
        m_pointerTaker = PointerTaker::KEYBOARD;
        setNeedsRepaint();
    } else {
        m_pointerTaker = PointerTaker::CONTENT;
    }
    return m_pointerTaker != PointerTaker::CONTENT;
}

bool DisplayableCoreCanvas::m_followPointer(bool released, int32_t x, int32_t y) {
    std::lock_guard lock(paintLock());
    const PointerTaker taker = m_pointerTaker;
    if (released) m_pointerTaker = PointerTaker::NONE;
    switch (taker) {
        case PointerTaker::AREAS:
            TouchScreenAreaManager::setAreaGroup(0);
            if (released) {
                TouchScreenAreaManager::pointerReleased(x, y);
            } else {
                TouchScreenAreaManager::pointerDragged(x, y);
            }
            return true;
        case PointerTaker::KEYBOARD:
            if (released) {
                OnScreenKeyboard::pointerReleased(x, y);
            } else {
                OnScreenKeyboard::pointerDragged(x, y);
            }
            setNeedsRepaint();
            return true;
        case PointerTaker::CONTENT: return false;
        case PointerTaker::POPUP:
        case PointerTaker::NONE: return true;
    }
    return true;
}

bool DisplayableCoreCanvas::handlePointerReleased(int32_t x, int32_t y) { return m_followPointer(true, x, y); }

bool DisplayableCoreCanvas::handlePointerDragged(int32_t x, int32_t y) { return m_followPointer(false, x, y); }

void DisplayableCoreCanvas::touchscreenEventCallback(void* context, JavaPtr<String> name, int32_t eventType,
                                                     int32_t x, int32_t y, int32_t dx, int32_t dy, bool inside) {
    static_cast<DisplayableCoreCanvas*>(context)->touchscreenAreaEvent(name, eventType, x, y, dx, dy, inside);
}

void DisplayableCoreCanvas::touchscreenAreaEvent(const JavaPtr<String>& name, int32_t eventType, int32_t x,
                                                 int32_t y, int32_t dx, int32_t dy, bool inside) {
    std::lock_guard lock(paintLock());
    const bool wasOpen = m_popupOpen;
    struct Finish {
        DisplayableCoreCanvas& canvas;
        bool wasOpen;
        ~Finish() {
            if (canvas.m_popupOpen != wasOpen) canvas.m_invalidateTouchscreenAreas();
        }
    } finish{*this, wasOpen};
    const bool isToggle = name->equals(m_oskToggleName);
    if (eventType == TouchScreenAreaListener::RELEASE) {
        if (m_downArrowPressed || m_upArrowPressed || m_keyboardTogglePressed || m_thumbDragging) {
            m_downArrowPressed = m_upArrowPressed = m_keyboardTogglePressed = m_thumbDragging = false;
            setNeedsRepaint();
        }
        // Slid off, the toggle is drawn let go, and lifting there acts no more than on a soft key.
        if (isToggle && inside) {
            if (OnScreenKeyboard::isShown()) {
                OnScreenKeyboard::hide();
            } else if (TouchScreenAreaManager::numInGroup(2) == 0) {
                OnScreenKeyboard::show();
            }
            reLayout();
        }
        m_thumbDragging = false;
    } else if (eventType == TouchScreenAreaListener::DRAG) {
        if (m_thumbDragging) {
            // A track with no height cannot be dragged along.
            if (m_trackHeight > 0)
                m_setScrollPos(static_cast<int32_t>(static_cast<int64_t>(m_verticalHeight) * dy / m_trackHeight) +
                               m_dragStartPosition);
        } else if (isToggle && m_keyboardTogglePressed != inside) {
            m_keyboardTogglePressed = inside;
            setNeedsRepaint();
        }
    } else {
        if (name->equals(m_scrollDownName)) {
            m_downArrowPressed = true;
            m_setScrollPos(m_verticalScrollPos + 10);
        } else if (name->equals(m_scrollUpName)) {
            m_upArrowPressed = true;
            m_setScrollPos(m_verticalScrollPos - 10);
        } else if (name->equals(m_scrollBarBoxName)) {
            m_thumbDragging = true;
            m_dragStartPosition = m_verticalScrollPos;
        } else if (isToggle) {
            m_keyboardTogglePressed = true;
            setNeedsRepaint();
        }
    }

    const bool forwardArea = name->equals(m_fwdSoftName);
    const bool backArea = name->equals(m_backSoftName);
    if (!forwardArea && !backArea) {
        const int32_t popupAt = name->indexOf(JavaPtr<String>(new String("popup")));
        if (popupAt < 0) return;
        const int32_t row = java::lang::Integer::parseInt(name->substring(popupAt + 5));
        // Rows act only while the popup is open and the row is in the list shown.
        if (m_popupOpen && row >= 0 && row < m_popupCommands->length) {
            if (eventType == TouchScreenAreaListener::PRESS) {
                m_popupSelection = row;
            } else if (eventType == TouchScreenAreaListener::RELEASE && inside) {
                m_firePopupRow(row);
            }
        }
        setNeedsRepaint();
        return;
    }
    if (eventType == TouchScreenAreaListener::PRESS) {
        (forwardArea ? m_forwardKeyPressed : m_backKeyPressed) = true;
    } else if (eventType == TouchScreenAreaListener::DRAG) {
        (forwardArea ? m_forwardKeyPressed : m_backKeyPressed) = inside;
    } else {
        m_forwardKeyPressed = m_backKeyPressed = false;
        if (inside) {
            if (m_popupOpen) {
                m_popupOpen = false;
            } else if (backArea) {
                triggerCommand(m_backCommand);
            } else if (m_menuInUse) {
                m_openPopup();
            } else {
                triggerCommand(m_forwardCommand);
            }
        }
    }
    setNeedsRepaint();
}

void DisplayableCoreCanvas::triggerCommand(const JavaPtr<Command>& command) {
    if (!command) return;
    std::lock_guard lock(paintLock());
    if (!m_owner) return;
    // Held: a listener may drop the screen, and with it the canvas's owner.
    JavaPtr<Displayable> owner(m_owner);
    // Whatever fires on an implicit list picks its focused row first.
    if (auto list = recastObj<List>(Display::currentDisplayable())) {
        JavaPtr<ChoiceGroup> group = list->getChoiceGroup();
        const int32_t focused = group ? group->getHighlightedIndex() : -1;
        if (group && group->getChoiceType() == Choice::IMPLICIT && focused >= 0 && focused < group->size())
            group->m_setSelectedIndex(focused, true, true);
    }
    if (findCommandIndex(owner->getCommands(), command, nullptr) >= 0) {
        if (JavaPtr<CommandListener> listener = owner->getCommandListener())
            listener->commandAction(command, Display::currentDisplayable());
    }
    auto* form = static_cast<Form*>(owner->castAsTypeID(Form::typeID));
    if (!form) return;
    JavaPtr<Item> item = form->highlightedItem();
    if (!item) return;
    if (findCommandIndex(m_itemCommands, command, nullptr) >= 0) {
        if (JavaPtr<ItemCommandListener> listener = item->getItemCommandListener()) listener->commandAction(command, item);
    }
    // Every command reaches the highlighted item: an overlay's commands are its own.
    item->command(command);
}

}  // namespace javax::microedition::lcdui
