// The chrome canvas that shows a Form: lays its items out in rows (letting text flow from row to
// row), scrolls, moves the highlight by keys, routes touches to the items and paints them under
// the chrome.
#pragma once

#include <cstdint>

#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"

namespace javax::microedition::lcdui {

class Form;
class Item;
class StringItem;

class FormCanvas : public DisplayableCoreCanvas {
    JAVA_CLASS(FormCanvas, "javax.microedition.lcdui.FormCanvas", DisplayableCoreCanvas)
public:
    static constexpr int32_t HIGHLIGHT_BOX_PAD_X = 3;
    static constexpr int32_t HIGHLIGHT_BOX_PAD_Y = 3;
    // Rows start this far in from the left edge; as much stays free on the right.
    static constexpr int32_t ROW_MARGIN = 5;
    // What one arrow key scrolls a form that never highlights.
    static constexpr int32_t SCROLL_STEP = 20;
    enum KeyEventType : int32_t { PRESSED = 0, REPEATED = 1, RELEASED = 2 };

    void WENDinvokeconstructor(Displayable* form);

    void sizeChanged(int32_t w, int32_t h) override;
    void showNotify() override;
    void hideNotify() override;
    void paint(const JavaPtr<Graphics>& g) override;
    void tick(int64_t ms) override;

    void relayoutFormItems();
    void relayoutFormItems_aux(const JavaPtr<JArray<Item>>& items);
    int32_t relayoutFormItemsRow(const JavaPtr<JArray<Item>>& items, int32_t start);
    int32_t usableWidth();
    JavaPtr<JArray<int32_t>> m_defaultVisRect_inout(const JavaPtr<Item>& item);
    void ensureHighlightedItemVisible(const JavaPtr<JArray<int32_t>>& visRect);
    JavaPtr<Form> getForm();
    void itemAutoHighlighted(const JavaPtr<Item>& item);
    void m_handleKeyEvent(int32_t key, KeyEventType type);
    int32_t m_findNextItemIndexVertically(int32_t direction, int32_t index);
    // The first item whose box holds the form point, edges included.
    JavaPtr<Item> m_findItemForCoords(int32_t x, int32_t y);
    int32_t m_screenToLogicalOffsetY();
    void ensureUpToDate() {}
    // The form lets go of an item: traversal no longer rests in it, nor a press.
    void itemLeft(const JavaPtr<Item>& item);
    const Item* traversedItem() const { return m_traversedItem.get(); }
    int32_t layoutHeight() const { return m_layoutY; }
    int32_t rowCount() const { return m_rowCount; }

protected:
    bool dispatchInput(InputEvent::EventType type, int32_t a, int32_t b) override;

private:
    void m_pointer(InputEvent::EventType type, int32_t x, int32_t y);
    // Fits the candidate row start..last; returns the last item kept and the width it takes.
    int32_t m_fitRow(JArray<Item>& items, int32_t start, bool continuing, int32_t usable, int32_t* rowWidth,
                     StringItem** flowing);
    void m_shareSpare(JArray<Item>& items, int32_t start, int32_t last, int32_t* spare);
    void m_traverseInto(const JavaPtr<Item>& item, int32_t action);

    int32_t m_layoutY = 0;
    int32_t m_rowAlignment = 1;
    int32_t m_layoutIndex = 0;
    int32_t m_rowCount = 0;
    int32_t m_textContinueIndex = -1;
    int32_t m_targetX = 0;
    int32_t m_lastKeyCode = NO_KEY;
    bool m_relayoutInProgress = false;
    // The usable width of the pass under way, -1 outside a pass.
    int32_t m_passUsableWidth = -1;
    JavaPtr<Item> m_traversedItem;
    // The item whose content took the pointer's press, until its release.
    JavaPtr<Item> m_pointerItem;
    // Whether the press under way began while an overlay's areas were up.
    bool m_pointerOnOverlay = false;
};

}  // namespace javax::microedition::lcdui
