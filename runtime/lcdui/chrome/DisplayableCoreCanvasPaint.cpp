// The chrome canvas's painting: title band, soft-key bar with the keyboard toggle, ticker band,
// scroll bar and popup menu, registering their touch areas while they are drawn.
#include <algorithm>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
namespace bc = buildconstants;

namespace {

constexpr int32_t TOP_LEFT = Graphics::TOP | Graphics::LEFT;
constexpr int32_t BOTTOM_LEFT = Graphics::BOTTOM | Graphics::LEFT;
constexpr int32_t BOTTOM_RIGHT = Graphics::BOTTOM | Graphics::RIGHT;

Screen* asScreen(Displayable* owner) {
    return owner ? static_cast<Screen*>(owner->castAsTypeID(Screen::typeID)) : nullptr;
}

}  // namespace

void DisplayableCoreCanvas::m_registerArea(const JavaPtr<String>& name, int32_t x0, int32_t y0, int32_t x1,
                                           int32_t y1) {
    TouchScreenAreaManager::registerArea(x0, y0, x1, y1, name, m_touchListener, 0);
}

void DisplayableCoreCanvas::paint(const JavaPtr<Graphics>& g) {
    std::lock_guard lock(paintLock());
    if (m_tickerOnly) {
        paintTicker(g);
        return;
    }
    if (m_areasInvalid) TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
    const int32_t width = Display::screenWidth.load();
    const int32_t height = Display::screenHeight.load();
    g->setClip(0, 0, width, height);
    m_paintTitle(g, width);
    m_paintSoftKeys(g, width, height);
    m_paintKeyboardToggle(g, width, height);
    if (OnScreenKeyboard::isShown()) OnScreenKeyboard::paint(g);
    paintTicker(g);
    m_paintScrollBar(g, width);
    paintPopupMenu(g);
    m_areasInvalid = false;
    m_scrollChanged = false;
}

void DisplayableCoreCanvas::m_paintTitle(const JavaPtr<Graphics>& g, int32_t width) {
    Screen* screen = asScreen(m_owner);
    JavaPtr<String> title = screen ? screen->getTitle() : nullptr;
    if (!title) return;
    const int32_t band = m_titleFont->getHeight() + 4;
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(0, 0, width, band);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawRect(0, 0, width, band);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    g->setFont(m_titleFont);
    g->drawString(title, 0, 2, TOP_LEFT);
    g->drawLine(0, band, width, band);
}

void DisplayableCoreCanvas::m_paintSoftKeys(const JavaPtr<Graphics>& g, int32_t width, int32_t height) {
    const int32_t band = m_softKeyFont->getHeight() + 4;
    const int32_t top = height - band;
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(0, top, width, band);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawLine(width / 2, top, width / 2, height);
    g->drawLine(0, top, width, top);

    JavaPtr<String> backLabel = m_backCommand ? m_backCommand->getLabel() : nullptr;
    JavaPtr<String> forwardLabel = m_forwardCommand ? m_forwardCommand->getLabel() : nullptr;
    if (m_menuInUse) forwardLabel = LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_MENU);
    if (m_popupOpen) {
        backLabel = LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_CANCEL);
        forwardLabel = LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_SELECT);
    }
    g->setFont(m_softKeyFont);
    static_assert(bc::LCDUI_SOFTKEYS_RENDER_BACK_ON_LEFT, "only the back key on the left is built");
    const auto key = [&](const JavaPtr<String>& label, bool pressed, bool left, const JavaPtr<String>& area) {
        if (!label) return;
        const int32_t x = left ? 0 : width / 2;
        const int32_t keyWidth = left ? width / 2 : width - width / 2;
        if (pressed) {
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
            g->fillRect(x, top, keyWidth, band);
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND);
        } else {
            g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        }
        g->drawString(label, left ? 0 : width, height - 2, left ? BOTTOM_LEFT : BOTTOM_RIGHT);
        if (m_areasInvalid) m_registerArea(area, x, top, x + keyWidth, height);
    };
    key(backLabel, m_backKeyPressed, true, m_backSoftName);
    key(forwardLabel, m_forwardKeyPressed, false, m_fwdSoftName);
}

void DisplayableCoreCanvas::m_paintKeyboardToggle(const JavaPtr<Graphics>& g, int32_t width, int32_t height) {
    const int32_t softKeyHeight = m_softKeyFont->getHeight();
    const int32_t boxHeight = (softKeyHeight + 4) * 3 / 4;
    const int32_t x = (width - 15) / 2;
    const int32_t y = height - (boxHeight + softKeyHeight + 4) / 2;
    g->setColor(m_keyboardTogglePressed ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(x, y, 15, boxHeight);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    g->drawRect(x, y, 15, boxHeight);
    g->setColor(m_keyboardTogglePressed ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
    // Three rows of key dots, the middle one offset by half a step.
    for (int32_t row = 0; row < 3; ++row) {
        const int32_t dotY = y + (boxHeight - 3) / 2 + 2 * row;
        for (int32_t dotX = row == 1 ? 3 : 2; dotX <= (row == 1 ? 11 : 12); dotX += 2)
            g->fillRect(x + dotX, dotY, 1, 1);
    }
    if (m_areasInvalid) m_registerArea(m_oskToggleName, x, y, x + 15, y + boxHeight);
}

void DisplayableCoreCanvas::paintTicker(const JavaPtr<Graphics>& g) {
    Screen* screen = asScreen(m_owner);
    if (JavaPtr<Ticker> ticker = screen ? screen->getTicker() : nullptr) {
        const int32_t width = Display::screenWidth.load();
        const int32_t band = m_tickerFont->getHeight() + 4;
        g->setColor(bc::LCDUI_COLOR_BACKGROUND);
        g->fillRect(0, m_tickerY, width, band);
        g->setColor(bc::LCDUI_COLOR_BORDER);
        g->drawRect(0, m_tickerY, width, band);
        g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        g->setFont(m_tickerFont);
        JavaPtr<String> text = ticker->getDrawableString();
        // Measured again: the text may have been set since the layout.
        const int64_t lap = static_cast<int64_t>(width) + m_tickerFont->stringWidth(text);
        const int64_t travelled = ticker->getTotalTickedTimeMS() * TICKER_PIXELS_PER_SEC.load() / 1000;
        const int64_t offset = lap > 0 ? travelled % lap : 0;
        g->drawString(text, static_cast<int32_t>(width - offset), m_tickerY + 2, TOP_LEFT);
    }
    paintPopupMenu(g);
}

void DisplayableCoreCanvas::m_paintScrollBar(const JavaPtr<Graphics>& g, int32_t width) {
    if (!m_scrollBarVisible) return;
    const int32_t top = (*m_unreservedArea)[1];
    const int32_t bottom = (*m_unreservedArea)[3];
    const int32_t x = width - SCROLLBAR_WIDTH;
    const int32_t visible = bottom - top;
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(x, top, SCROLLBAR_WIDTH, visible);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawRect(x, top, SCROLLBAR_WIDTH, visible);
    const int32_t trackY = top + 11;
    const int32_t track = visible - 22;
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    g->drawRect(width - 13, trackY, 11, track);
    const int32_t content = m_verticalHeight;
    if (content <= visible || track <= 0) return;
    const int32_t thumbHeight = static_cast<int32_t>(static_cast<int64_t>(visible) * track / content);
    const int32_t thumbY = trackY + static_cast<int32_t>(static_cast<int64_t>(m_verticalScrollPos) * track / content);
    g->fillRect(width - 13, thumbY, 11, thumbHeight);
    const auto arrow = [&](bool up, bool pressed, int32_t arrowY) {
        g->setColor(pressed ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
        g->fillRect(width - 13, arrowY, 11, 7);
        g->setColor(pressed ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
        drawVerticalArrow(g, up, width - 13, arrowY, 11, 7, 0, 0);
    };
    if (m_verticalScrollPos > 0) arrow(true, m_upArrowPressed, top + 2);
    if (m_verticalScrollPos + visible < content) arrow(false, m_downArrowPressed, bottom - 9);
    // Under an open popup the bar takes no touches: the popup's rows, drawn over it, must win.
    if (m_popupOpen) return;
    if (m_areasInvalid) {
        m_registerArea(m_scrollUpName, x, top, x + SCROLLBAR_WIDTH, top + 9);
        m_registerArea(m_scrollDownName, x, bottom - 9, x + SCROLLBAR_WIDTH, bottom - 2);
        m_trackHeight = track;
    }
    if (m_areasInvalid || m_scrollChanged)
        m_registerArea(m_scrollBarBoxName, x, thumbY, x + SCROLLBAR_WIDTH, thumbY + thumbHeight);
}

void DisplayableCoreCanvas::paintPopupMenu(const JavaPtr<Graphics>& g) {
    if (!m_popupOpen) return;
    const int32_t width = Display::screenWidth.load();
    const int32_t height = Display::screenHeight.load();
    const int32_t y = height - 4 - m_popupHeight - m_softKeyFont->getHeight();
    const int32_t x = width - m_popupWidth;
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(x, y, m_popupWidth, m_popupHeight);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawRect(x, y, m_popupWidth, m_popupHeight);
    g->setFont(m_popupFont);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    const int32_t rowHeight = m_popupFont->getHeight() + 4;
    int32_t rowY = y + 5;
    for (int32_t i = 0; i < m_popupCommands->length; ++i, rowY += rowHeight) {
        JavaPtr<String> label = m_popupLabel((*m_popupCommands)[i]);
        if (i == m_popupSelection) {
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
            g->fillRect(x + 2, rowY, m_popupWidth - 4, rowHeight);
            g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND);
            g->drawString(label, x + 2, rowY + 2, TOP_LEFT);
            g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        } else {
            g->drawString(label, x + 2, rowY + 2, TOP_LEFT);
        }
        if (m_areasInvalid) m_registerArea(m_popupName + i, x + 2, rowY, x + m_popupWidth - 2, rowY + rowHeight);
    }
}

void DisplayableCoreCanvas::drawVerticalArrow(const JavaPtr<Graphics>& g, bool up, int32_t x, int32_t y, int32_t w,
                                              int32_t h, int32_t a, int32_t b) {
    const int32_t d = (w - a) / 2;
    const int32_t tipY = up ? y : y + h;
    const int32_t baseY = up ? y + h - b : y + b;
    const int32_t endY = up ? y + h : y;
    g->drawLine(x, baseY, x + w / 2, tipY);
    g->drawLine(x + w, baseY, x + w / 2, tipY);
    g->drawLine(x, baseY, x + d, baseY);
    g->drawLine(x + w, baseY, x + w - d, baseY);
    g->drawLine(x + d, baseY, x + d, endY);
    g->drawLine(x + w - d, baseY, x + w - d, endY);
    g->drawLine(x + d, endY, x + w - d, endY);
}

void DisplayableCoreCanvas::drawHorizontalArrow(const JavaPtr<Graphics>& g, bool left, int32_t x, int32_t y, int32_t w,
                                                int32_t h, int32_t a, int32_t b) {
    const int32_t d = (h - a) / 2;
    const int32_t tipX = left ? x : x + w;
    const int32_t baseX = left ? x + w - b : x + b;
    const int32_t endX = left ? x + w : x;
    g->drawLine(baseX, y, tipX, y + h / 2);
    g->drawLine(baseX, y + h, tipX, y + h / 2);
    g->drawLine(baseX, y, baseX, y + d);
    g->drawLine(baseX, y + h, baseX, y + h - d);
    g->drawLine(baseX, y + d, endX, y + d);
    g->drawLine(baseX, y + h - d, endX, y + h - d);
    g->drawLine(endX, y + d, endX, y + h - d);
}

}  // namespace javax::microedition::lcdui
