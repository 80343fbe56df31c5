// The form canvas's input, painting, showing and ticking; the layout is in FormCanvasLayout.cpp.
#include "runtime/lcdui/forms/FormCanvas.h"

#include <cstdlib>
#include <mutex>
#include <utility>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/StringItem.h"

namespace javax::microedition::lcdui {

namespace {

constexpr int32_t GAUGE_ID = java::lang::typeIdOf("javax.microedition.lcdui.Gauge");

}  // namespace

void FormCanvas::WENDinvokeconstructor(Displayable* form) {
    DisplayableCoreCanvas::WENDinvokeconstructor(form);
    m_traversedItem = nullptr;
    m_lastKeyCode = NO_KEY;
    m_relayoutInProgress = false;
}

JavaPtr<Form> FormCanvas::getForm() {
    Displayable* shown = owner();
    return shown ? JavaPtr<Form>(static_cast<Form*>(shown->castAsTypeID(Form::typeID))) : nullptr;
}

int32_t FormCanvas::m_screenToLogicalOffsetY() {
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    getUnreservedArea(area);
    return getVerticalScrollPos() - (*area)[1];
}

void FormCanvas::itemLeft(const JavaPtr<Item>& item) {
    std::lock_guard lock(paintLock());
    if (m_traversedItem == item) m_traversedItem = nullptr;
    if (m_pointerItem == item) m_pointerItem = nullptr;
}

void FormCanvas::itemAutoHighlighted(const JavaPtr<Item>& item) {
    std::lock_guard lock(paintLock());
    m_targetX = item->m_x + item->m_width / 2;
    JavaPtr<Form> form = getForm();
    if (!form) return;
    m_traverseInto(item, 0);
}

void FormCanvas::m_traverseInto(const JavaPtr<Item>& item, int32_t action) {
    JavaPtr<Form> form = getForm();
    JavaPtr<JArray<int32_t>> visRect = m_defaultVisRect_inout(item);
    const bool kept = item->traverse(action, form->getWidth(), form->getHeight(), visRect);
    m_traversedItem = kept ? item : nullptr;
    ensureHighlightedItemVisible(visRect);
}

bool FormCanvas::dispatchInput(InputEvent::EventType type, int32_t a, int32_t b) {
    if (DisplayableCoreCanvas::dispatchInput(type, a, b)) return true;
    std::lock_guard lock(paintLock());
    switch (type) {
        case InputEvent::KEY_PRESSED:
            m_handleKeyEvent(a, PRESSED);
            m_lastKeyCode = a;
            break;
        case InputEvent::KEY_REPEATED: m_handleKeyEvent(a, REPEATED); break;
        case InputEvent::KEY_RELEASED:
            m_handleKeyEvent(a, RELEASED);
            m_lastKeyCode = NO_KEY;
            break;
        default: m_pointer(type, a, b); break;
    }
    return true;
}

void FormCanvas::m_handleKeyEvent(int32_t key, KeyEventType type) {
    JavaPtr<Form> form = getForm();
    if (!form || form->size() == 0) return;
    if (type == RELEASED && key != m_lastKeyCode) return;
    setNeedsRepaint();
    const int32_t action = getGameAction(key);
    if (form->neverHighlights()) {
        if (type == PRESSED || !verticalScrollbarVisible()) return;
        if (action == UP) setVerticalScrollPos(getVerticalScrollPos() - SCROLL_STEP);
        if (action == DOWN) setVerticalScrollPos(getVerticalScrollPos() + SCROLL_STEP);
        return;
    }
    JavaPtr<Item> highlighted = form->highlightedItem();
    const int32_t index = highlighted ? form->m_indexForItem(highlighted) : -1;
    const bool arrow = key == KEY_UP || key == KEY_DOWN || key == KEY_LEFT || key == KEY_RIGHT;
    if (highlighted && !arrow) {
        if (type == PRESSED) highlighted->keyPressed(key);
        if (type == REPEATED) highlighted->keyRepeated(key);
        if (type == RELEASED) highlighted->keyReleased(key);
        return;
    }
    // Arrows move on their repeat or release, never on the press.
    if (type == PRESSED) return;
    const int32_t move = action == LEFT || action == RIGHT ? 1 : action == UP || action == DOWN ? 2 : 0;
    if (move != 0 && highlighted) {
        JavaPtr<JArray<int32_t>> visRect = m_defaultVisRect_inout(highlighted);
        if (highlighted->traverse(action, form->getWidth(), form->getHeight(), visRect)) {
            m_traversedItem = highlighted;
            ensureHighlightedItemVisible(visRect);
        } else {
            if (m_traversedItem == highlighted) highlighted->traverseOut();
            m_traversedItem = nullptr;
        }
    }
    if (!m_traversedItem) {
        const int32_t count = form->size();
        int32_t target = -1;
        if (action == LEFT && index > 0) target = index - 1;
        if (action == RIGHT && index < count - 1) target = index + 1;
        // With none highlighted, down starts at the top and up at the bottom.
        if (action == UP) target = highlighted ? m_findNextItemIndexVertically(-1, index) : count - 1;
        if (action == DOWN) target = highlighted ? m_findNextItemIndexVertically(1, index) : 0;
        if (target >= 0 && target != index) {
            form->m_highlightItem(target, move != 0);
            if (JavaPtr<Item> now = form->highlightedItem()) m_traverseInto(now, action);
        }
    }
    if (move == 1) {
        if (JavaPtr<Item> now = form->highlightedItem()) m_targetX = now->m_x + now->m_width / 2;
    }
}

int32_t FormCanvas::m_findNextItemIndexVertically(int32_t direction, int32_t index) {
    JavaPtr<Form> form = getForm();
    if (!form) return index;
    JavaPtr<JArray<Item>> items = form->items();
    if (index < 0 || index >= items->length) return index;
    const int32_t row = (*items)[index]->m_row + direction;
    int32_t nearest = -1;
    int32_t nearestDistance = 0;
    for (int32_t i = index + direction; i >= 0 && i < items->length; i += direction) {
        Item& item = *(*items)[i];
        if (item.m_row != row) continue;
        auto* text = static_cast<StringItem*>(item.castAsTypeID(StringItem::typeID));
        if (text && text->isFlowing()) return i;
        if (item.m_x <= m_targetX && m_targetX <= item.m_x + item.m_width) return i;
        const int32_t distance = std::abs(item.m_x + item.m_width / 2 - m_targetX);
        if (nearest == -1 || distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest != -1 ? nearest : index;
}

JavaPtr<Item> FormCanvas::m_findItemForCoords(int32_t x, int32_t y) {
    JavaPtr<Form> form = getForm();
    if (!form) return nullptr;
    JavaPtr<JArray<Item>> items = form->items();
    for (int32_t i = 0; i < items->length; ++i) {
        const Item& item = *(*items)[i];
        if (item.m_x <= x && x <= item.m_x + item.m_width && item.m_y <= y && y <= item.m_y + item.m_height)
            return (*items)[i];
    }
    return nullptr;
}

void FormCanvas::m_pointer(InputEvent::EventType type, int32_t x, int32_t y) {
    bool (*toRegistry)(int32_t, int32_t) = type == InputEvent::POINTER_PRESSED    ? &TouchScreenAreaManager::pointerPressed
                                           : type == InputEvent::POINTER_RELEASED ? &TouchScreenAreaManager::pointerReleased
                                                                                  : &TouchScreenAreaManager::pointerDragged;
    const bool pressed = type == InputEvent::POINTER_PRESSED;
    if (pressed) {
        m_pointerOnOverlay = TouchScreenAreaManager::numInGroup(2) > 0;
        m_pointerItem = nullptr;
    }
    // An overlay's areas take every touch while they are up, to the end of a gesture begun on them.
    if (m_pointerOnOverlay) {
        TouchScreenAreaManager::setAreaGroup(2);
        toRegistry(x, y);
        return;
    }
    TouchScreenAreaManager::setAreaGroup(1);
    const int32_t formY = y + m_screenToLogicalOffsetY();
    toRegistry(x, formY);
    if (pressed) {
        JavaPtr<Item> item = m_findItemForCoords(x, formY);
        if (item && item->pointerPressedInternal(x - item->m_x, formY - item->m_y)) m_pointerItem = item;
        return;
    }
    // The item whose content took the press has the gesture, over other items or off the form.
    JavaPtr<Item> item = type == InputEvent::POINTER_RELEASED ? std::exchange(m_pointerItem, nullptr) : m_pointerItem;
    if (!item) return;
    const int32_t itemX = x - item->m_x, itemY = formY - item->m_y;
    if (type == InputEvent::POINTER_RELEASED) {
        item->pointerReleasedInternal(itemX, itemY);
    } else {
        item->pointerDraggedInternal(itemX, itemY);
    }
}

void FormCanvas::paint(const JavaPtr<Graphics>& g) {
    std::lock_guard lock(paintLock());
    JavaPtr<Form> form = getForm();
    if (!form) return;
    const int32_t width = Display::screenWidth.load(), height = Display::screenHeight.load();
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    getUnreservedArea(area);
    g->setClip(0, 0, width, height);
    g->setColor(buildconstants::LCDUI_COLOR_BACKGROUND);
    g->fillRect((*area)[0], (*area)[1], (*area)[2] - (*area)[0], (*area)[3] - (*area)[1]);
    const int32_t tx = g->getTranslateX(), ty = g->getTranslateY();
    g->translate(-tx, (*area)[1] - getVerticalScrollPos() - ty);
    const int32_t clipTop = g->getClipY(), clipBottom = clipTop + g->getClipHeight();
    JavaPtr<JArray<Item>> items = form->items();
    for (int32_t i = 0; i < items->length; ++i) {
        const JavaPtr<Item>& item = (*items)[i];
        if (item->m_y <= clipBottom && item->m_y + item->m_height >= clipTop) item->paint(g);
    }
    if (JavaPtr<Item> overlay = getFormItemOverlay()) overlay->paint(g);
    g->translate(tx - g->getTranslateX(), ty - g->getTranslateY());
    DisplayableCoreCanvas::paint(g);
}

void FormCanvas::showNotify() {
    std::lock_guard lock(paintLock());
    DisplayableCoreCanvas::showNotify();
    if (JavaPtr<Form> form = getForm()) {
        JavaPtr<JArray<Item>> items = form->items();
        for (int32_t i = 0; i < items->length; ++i) (*items)[i]->showNotify();
    }
}

void FormCanvas::hideNotify() {
    std::lock_guard lock(paintLock());
    DisplayableCoreCanvas::hideNotify();
    m_pointerItem = nullptr;
    if (JavaPtr<Form> form = getForm()) {
        JavaPtr<JArray<Item>> items = form->items();
        for (int32_t i = 0; i < items->length; ++i) (*items)[i]->hideNotify();
    }
}

void FormCanvas::tick(int64_t ms) {
    std::lock_guard lock(paintLock());
    DisplayableCoreCanvas::tick(ms);
    JavaPtr<Form> form = getForm();
    if (!form) return;
    if (JavaPtr<Item> highlighted = form->highlightedItem()) highlighted->tick(ms);
    JavaPtr<JArray<Item>> items = form->items();
    for (int32_t i = 0; i < items->length; ++i)
        if ((*items)[i]->castAsTypeID(GAUGE_ID)) (*items)[i]->tick(ms);
}

}  // namespace javax::microedition::lcdui
