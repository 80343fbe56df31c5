#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"

#include <algorithm>

#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

JavaPtr<String> literal(const char* text) { return JavaPtr<String>(new String(text)); }

}  // namespace

void DisplayableCoreCanvas::init() {
    KEY_LEFT = expectedKeypressID(16);
    KEY_RIGHT = expectedKeypressID(17);
    KEY_UP = expectedKeypressID(18);
    KEY_DOWN = expectedKeypressID(19);
    KEY_FIRE = expectedKeypressID(20);
    DEVICE_WIDTH = Display::screenWidth.load();
    TICKER_PIXELS_PER_SEC = DEVICE_WIDTH.load() / 2;
}

DisplayableCoreCanvas::DisplayableCoreCanvas() = default;

DisplayableCoreCanvas::~DisplayableCoreCanvas() {
    if (m_touchListener) TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
}

void DisplayableCoreCanvas::WENDinvokeconstructor(Displayable* owner) {
    Canvas::WENDinvokeconstructor();
    m_owner = owner;
    m_unreservedArea = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(4));
    (*m_unreservedArea)[2] = Display::screenWidth.load();
    (*m_unreservedArea)[3] = Display::screenHeight.load();
    m_titleFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    m_tickerFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    m_softKeyFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    m_popupFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    m_popupCommands = JavaPtr<JArray<Command>>(new JArray<Command>(0));
    m_touchListener = java::lang::jnew<TouchScreenAreaListener>(&touchscreenEventCallback, this);
    m_areasInvalid = true;
    m_areaBaseCode = TouchScreenAreaManager::getUniqueBaseCode(literal("DCC"));
    m_fwdSoftName = m_areaBaseCode + "fwdsoft";
    m_backSoftName = m_areaBaseCode + "backsoft";
    m_popupName = m_areaBaseCode + "popup";
    m_scrollUpName = m_areaBaseCode + "scrollup";
    m_scrollDownName = m_areaBaseCode + "scrolldown";
    m_scrollBarMainName = m_areaBaseCode + "scrollbarmain";
    m_scrollBarBoxName = m_areaBaseCode + "scrollbarbox";
    m_oskToggleName = m_areaBaseCode + "osktoggle";
}

void DisplayableCoreCanvas::notifyParentDestroyed() {
    std::lock_guard lock(paintLock());
    m_owner = nullptr;
}

void DisplayableCoreCanvas::showNotify() {
    std::lock_guard lock(paintLock());
    {
        std::lock_guard guard(m_bufferLock);
        m_hidden = false;
    }
    Canvas::showNotify();
    reLayout();
}

void DisplayableCoreCanvas::hideNotify() {
    std::lock_guard lock(paintLock());
    Canvas::hideNotify();
    TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
    // Input held back for a screen that is leaving must not act when it comes back later, nor
    // input that reaches it while hidden: the host picks the current screen without the LCDUI
    // lock, so a press may come just after this and its release go to the screen shown instead.
    {
        std::lock_guard guard(m_bufferLock);
        m_eventBuffer.clear();
        m_hidden = true;
    }
    // No release reaches a hidden screen, whether it was held back above or comes later, so the
    // presses end here: a key left held would repeat for ever once the screen is back.
    m_heldKey = NO_KEY;
    m_repeating = false;
    m_forwardKeyPressed = m_backKeyPressed = m_upArrowPressed = m_downArrowPressed = false;
    m_keyboardTogglePressed = m_thumbDragging = false;
    m_pointerTaker = PointerTaker::NONE;
    OnScreenKeyboard::cancelPress();
}

void DisplayableCoreCanvas::m_invalidateTouchscreenAreas() {
    // The areas stay those of the frame on screen until the paint that draws the new layout
    // replaces them: a touch in between meets what the user sees, not nothing.
    std::lock_guard lock(paintLock());
    m_areasInvalid = true;
    setNeedsRepaint();
}

void DisplayableCoreCanvas::repaint() {
    std::lock_guard lock(paintLock());
    if (m_repaintInProgress || !isShown()) return;
    m_repaintInProgress = true;
    struct Done {
        DisplayableCoreCanvas& canvas;
        ~Done() { canvas.m_repaintInProgress = false; }
    } done{*this};
    // Cleared first: a paint that changes something asks again.
    m_needsRepaint = false;
    Canvas::repaint();
}

void DisplayableCoreCanvas::repaint(int32_t x, int32_t y, int32_t width, int32_t height) {
    Canvas::repaint(x, y, width, height);
}

void DisplayableCoreCanvas::repaintTickerOnly() {
    std::lock_guard lock(paintLock());
    m_tickerOnly = true;
    struct Done {
        DisplayableCoreCanvas& canvas;
        ~Done() { canvas.m_tickerOnly = false; }
    } done{*this};
    repaint();
}

bool DisplayableCoreCanvas::m_commandsAreInOrderOfPriority(const JavaPtr<Command>& a, const JavaPtr<Command>& b) {
    if (m_itemDefaultCommand) {
        if (a == m_itemDefaultCommand) return true;
        if (b == m_itemDefaultCommand) return false;
    }
    const bool aItem = findCommandIndex(m_itemCommands, a, nullptr) >= 0;
    const bool bItem = findCommandIndex(m_itemCommands, b, nullptr) >= 0;
    if (aItem != bItem) return aItem;
    return a->getPriority() <= b->getPriority();
}

JavaPtr<String> DisplayableCoreCanvas::m_popupLabel(const JavaPtr<Command>& command) {
    JavaPtr<String> longLabel = command->getLongLabel();
    return longLabel ? longLabel : command->getLabel();
}

void DisplayableCoreCanvas::reLayout() {
    std::lock_guard lock(paintLock());
    m_invalidateTouchscreenAreas();
    const int32_t screenWidth = Display::screenWidth.load();
    const int32_t width = m_scrollBarVisible ? screenWidth - SCROLLBAR_WIDTH : screenWidth;
    const int32_t height = Display::screenHeight.load();

    JavaPtr<String> title;
    JavaPtr<Ticker> ticker;
    JavaPtr<JArray<Command>> ownerCommands;
    // A raw cast: the owner may be under construction, when a counted reference would destroy it.
    if (m_owner) {
        if (auto* screen = static_cast<Screen*>(m_owner->castAsTypeID(Screen::typeID))) {
            title = screen->getTitle();
            ticker = screen->getTicker();
        }
        ownerCommands = m_owner->getCommands();
    }

    m_backCommand = nullptr;
    m_forwardCommand = nullptr;
    m_menuInUse = false;
    m_popupCommands = JavaPtr<JArray<Command>>(new JArray<Command>(0));

    JavaPtr<JArray<Command>> list(new JArray<Command>(0));
    const auto gather = [&](const JavaPtr<JArray<Command>>& from, bool once) {
        for (int32_t i = 0; from && i < from->length; ++i) {
            const JavaPtr<Command>& command = (*from)[i];
            if (command && (!once || findCommandIndex(list, command, nullptr) < 0)) list->append(command);
        }
    };
    if (m_overlayCommands) {
        gather(m_overlayCommands, false);
    } else {
        gather(ownerCommands, false);
        gather(m_itemCommands, true);
    }
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int32_t i = 0; i + 1 < list->length; ++i) {
            if (m_commandsAreInOrderOfPriority((*list)[i], (*list)[i + 1])) continue;
            std::swap((*list)[i], (*list)[i + 1]);
            swapped = true;
        }
    }
    int32_t remaining = list->length;
    for (int32_t i = 0; i < list->length; ++i) {
        const int32_t type = (*list)[i]->getCommandType();
        if (type == Command::BACK || type == Command::CANCEL) {
            m_backCommand = std::exchange((*list)[i], nullptr);
            --remaining;
            break;
        }
    }
    if (remaining < 2) {
        for (int32_t i = 0; i < list->length && !m_forwardCommand; ++i) m_forwardCommand = (*list)[i];
    } else {
        m_menuInUse = true;
        int32_t widest = 0;
        for (int32_t i = 0; i < list->length; ++i) {
            const JavaPtr<Command>& command = (*list)[i];
            if (!command) continue;
            m_popupCommands->append(command);
            JavaPtr<String> label = command->getLongLabel();
            if (!label || m_popupFont->stringWidth(label) + 4 > screenWidth) label = command->getLabel();
            widest = std::max(widest, m_popupFont->stringWidth(label));
        }
        m_popupHeight = m_popupCommands->length * (m_popupFont->getHeight() + 4) + 10;
        m_popupWidth = 4 + widest;
    }
    // A popup left open over a shorter list keeps its selection inside it; with no rows it closes.
    if (m_popupOpen && m_popupCommands->length == 0) m_popupOpen = false;
    m_popupSelection = std::clamp(m_popupSelection, 0, std::max(0, m_popupCommands->length - 1));

    const int32_t top = title ? m_titleFont->getHeight() + 4 : 0;
    int32_t bottom = height;
    // The soft-key bar, painted always, holds the keyboard toggle: a ticker sits above it, never over it.
    if (m_backCommand || m_forwardCommand || m_menuInUse || ticker) bottom = height - 4 - m_softKeyFont->getHeight();
    if (ticker) {
        bottom -= 4 + m_tickerFont->getHeight();
        m_tickerY = bottom;
        m_tickerTextWidth = m_tickerFont->stringWidth(ticker->getDrawableString());
    }
    if (OnScreenKeyboard::isShown()) {
        OnScreenKeyboard::setBottomY(bottom);
        bottom -= OnScreenKeyboard::getHeight();
    }
    JArray<int32_t>& area = *m_unreservedArea;
    const bool changed = area[0] != 0 || area[1] != top || area[2] != width || area[3] != bottom;
    area[0] = 0;
    area[1] = top;
    area[2] = width;
    area[3] = bottom;
    // The content may now be taller or shorter than what shows.
    m_verticalScrollPos = std::clamp(m_verticalScrollPos, 0, m_maxScrollPos());
    setNeedsRepaint();
    // Last, with the new area in place: the content's answer may lay the chrome out again (a form
    // that needs its scroll bar), and that inner layout must be the one that stays.
    if (changed) sizeChanged(width, bottom - top);
}

void DisplayableCoreCanvas::getUnreservedArea(const JavaPtr<JArray<int32_t>>& out) {
    std::lock_guard lock(paintLock());
    for (int32_t i = 0; i < 4; ++i) (*out)[i] = (*m_unreservedArea)[i];
}

int32_t DisplayableCoreCanvas::m_maxScrollPos() {
    JArray<int32_t>& area = *m_unreservedArea;
    return std::max(0, m_verticalHeight - (area[3] - area[1]));
}

void DisplayableCoreCanvas::m_setScrollPos(int32_t pos) {
    m_verticalScrollPos = std::clamp(pos, 0, m_maxScrollPos());
    m_scrollChanged = true;
    setNeedsRepaint();
}

void DisplayableCoreCanvas::setVerticalHeight(int32_t height) {
    std::lock_guard lock(paintLock());
    m_verticalHeight = height;
    m_verticalScrollPos = std::clamp(m_verticalScrollPos, 0, m_maxScrollPos());
    setNeedsRepaint();
}

void DisplayableCoreCanvas::setVerticalScrollPos(int32_t pos) {
    std::lock_guard lock(paintLock());
    m_setScrollPos(pos);
}

int32_t DisplayableCoreCanvas::getVerticalScrollPos() {
    std::lock_guard lock(paintLock());
    return m_verticalScrollPos;
}

bool DisplayableCoreCanvas::verticalScrollbarVisible() {
    std::lock_guard lock(paintLock());
    return m_scrollBarVisible;
}

void DisplayableCoreCanvas::setVerticalScrollbarVisible(bool visible) {
    std::lock_guard lock(paintLock());
    m_scrollBarVisible = visible;
    // Hidden content is not scrolled: a bar that comes back starts at the top.
    if (!visible) m_verticalScrollPos = 0;
    reLayout();
    setNeedsRepaint();
}

void DisplayableCoreCanvas::setFormItemCommands(const JavaPtr<JArray<Command>>& commands,
                                                const JavaPtr<Command>& defaultCommand) {
    std::lock_guard lock(paintLock());
    m_itemCommands = commands;
    m_itemDefaultCommand = defaultCommand;
    reLayout();
}

JavaPtr<Item> DisplayableCoreCanvas::getFormItemOverlay() {
    std::lock_guard lock(paintLock());
    return m_overlayItem;
}

void DisplayableCoreCanvas::setFormItemOverlay(const JavaPtr<Item>& item, const JavaPtr<JArray<Command>>& commands) {
    std::lock_guard lock(paintLock());
    m_overlayItem = item;
    m_overlayCommands = commands;
    reLayout();
}

}  // namespace javax::microedition::lcdui
