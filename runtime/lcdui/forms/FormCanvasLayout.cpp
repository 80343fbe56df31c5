// The form layout: rows across the usable width, item sizes from their minimum and preferred sizes
// and layout bits, text that flows from row to row, the scroll bar, and keeping the highlight in view.
#include <algorithm>
#include <mutex>
#include <vector>

#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

constexpr int32_t PAD_X = FormCanvas::HIGHLIGHT_BOX_PAD_X;
constexpr int32_t LAYOUT_SHRINK = 0x400;

// The interactive items, which always stand in rows of their own.
bool ownsRow(Item& item) {
    static constexpr int32_t ids[] = {
        java::lang::typeIdOf("javax.microedition.lcdui.ChoiceGroup"),
        java::lang::typeIdOf("javax.microedition.lcdui.DateField"),
        java::lang::typeIdOf("javax.microedition.lcdui.Gauge"),
        java::lang::typeIdOf("javax.microedition.lcdui.TextField"),
    };
    for (int32_t id : ids)
        if (item.castAsTypeID(id)) return true;
    return false;
}

StringItem* asText(Item& item) { return static_cast<StringItem*>(item.castAsTypeID(StringItem::typeID)); }

bool textStartsOrEndsWithLineFeed(Item& item, bool atEnd) {
    StringItem* text = asText(item);
    if (!text) return false;
    const JavaPtr<String>& value = text->heldText();
    if (!value || value->length() == 0) return false;
    return value->charAt(atEnd ? value->length() - 1 : 0) == u'\n';
}

// Whether cur must begin a new row after prev, in a row aligned rowAlignment.
bool breaksBefore(Item& prev, Item& cur, int32_t rowAlignment) {
    const int32_t layout = cur.layoutInternal();
    if (layout & Item::LAYOUT_NEWLINE_BEFORE) return true;
    if ((layout & 3) != 0 && (layout & 3) != rowAlignment) return true;
    const JavaPtr<String>& label = cur.heldLabel();
    if (label && label->length() > 0) return true;
    if (textStartsOrEndsWithLineFeed(cur, false)) return true;
    if (ownsRow(cur) || ownsRow(prev)) return true;
    if (textStartsOrEndsWithLineFeed(prev, true)) return true;
    return prev.requiresOwnRow() || cur.requiresOwnRow();
}

bool unlockedText(Item& item) {
    StringItem* text = asText(item);
    return text && !text->isWidthLocked() && !text->isHeightLocked();
}

}  // namespace

int32_t FormCanvas::usableWidth() {
    // A pass asks for it per item and per line; the area cannot change inside a pass.
    if (m_relayoutInProgress && m_passUsableWidth >= 0) return m_passUsableWidth;
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    getUnreservedArea(area);
    return (*area)[2] - (*area)[0] - 2 * ROW_MARGIN;
}

void FormCanvas::sizeChanged(int32_t, int32_t) {
    std::lock_guard lock(paintLock());
    if (m_relayoutInProgress) return;
    relayoutFormItems();
    setNeedsRepaint();
}

void FormCanvas::relayoutFormItems() {
    std::lock_guard lock(paintLock());
    JavaPtr<Form> form = getForm();
    if (!form || m_relayoutInProgress) return;
    JavaPtr<JArray<Item>> items = form->items();
    if (!items) return;
    m_relayoutInProgress = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_relayoutInProgress};

    struct Before {
        int32_t width, height, x, y;
    };
    std::vector<Before> before;
    before.reserve(static_cast<size_t>(items->length));
    for (int32_t i = 0; i < items->length; ++i) {
        Item& item = *(*items)[i];
        before.push_back({item.m_contentWidth, item.m_contentHeight, item.m_x + item.m_contentX,
                          item.m_y + item.m_contentY});
    }

    setVerticalScrollbarVisible(false);
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    for (;;) {
        m_passUsableWidth = -1;
        relayoutFormItems_aux(items);
        getUnreservedArea(area);
        if (m_layoutY <= (*area)[3] - (*area)[1] || verticalScrollbarVisible()) break;
        setVerticalScrollbarVisible(true);
    }
    m_passUsableWidth = -1;
    // Also when the narrower pass fits: the bar stays, and so must its idea of the content.
    if (verticalScrollbarVisible()) setVerticalHeight(m_layoutY);

    for (int32_t i = 0; i < items->length; ++i) {
        Item& item = *(*items)[i];
        item.updateContentDimensions();
        const Before& was = before[static_cast<size_t>(i)];
        if (item.m_contentWidth != was.width || item.m_contentHeight != was.height) item.contentSizeChanged();
        StringItem* text = asText(item);
        if (text && text->isFlowing()) {
            const int32_t lines = text->m_lineY ? text->m_lineY->length : 0;
            item.m_x = text->m_flowX;
            item.m_y = text->m_flowY;
            item.m_row = text->m_flowRow;
            item.m_height = text->heldFont()->getHeight() + (lines > 0 ? (*text->m_lineY)[lines - 1] : 0) +
                            item.labelHeight();
            item.m_width = usableWidth();
        }
        if (item.m_x + item.m_contentX != was.x || item.m_y + item.m_contentY != was.y) item.rebuildTouchscreenAreas();
    }

    if (JavaPtr<Item> highlighted = form->highlightedItem()) {
        JavaPtr<JArray<int32_t>> visRect = m_defaultVisRect_inout(highlighted);
        if (highlighted == m_traversedItem) highlighted->traverse(0, form->getWidth(), form->getHeight(), visRect);
        ensureHighlightedItemVisible(visRect);
    }
}

void FormCanvas::relayoutFormItems_aux(const JavaPtr<JArray<Item>>& items) {
    for (int32_t i = 0; i < items->length; ++i) {
        StringItem* text = asText(*(*items)[i]);
        if (!text || !text->isFlowing()) continue;
        // Its lines were the flow's: broken again, as if it stood alone.
        text->m_flowing = false;
        text->m_updatecontentHeightAndWidth();
    }
    m_textContinueIndex = -1;
    m_layoutIndex = 0;
    m_layoutY = 0;
    m_rowCount = 0;
    m_passUsableWidth = -1;
    m_passUsableWidth = usableWidth();
    while (m_layoutIndex < items->length) m_layoutIndex += relayoutFormItemsRow(items, m_layoutIndex);
}

// The row from start holds the items up to the next break that fit the usable width. Breaks are
// looked for only as far as the row reaches, and an overflow at an item ends the row before it
// (at once; the row stays the same as if it were shortened one item at a time), so each item is
// measured about once in a pass.
int32_t FormCanvas::m_fitRow(JArray<Item>& items, int32_t start, bool continuing, int32_t usable, int32_t* rowWidth,
                             StringItem** flowing) {
    const auto breaksAt = [&](int32_t i) {
        return i >= items.length || breaksBefore(*items[i - 1], *items[i], m_rowAlignment);
    };
    // An item wider than the row overflows it only when another could share the row.
    const bool shared = !breaksAt(start + 1);
    int32_t last = shared ? items.length - 1 : start;
    bool lastKnown = !shared;
    for (;;) {
        int32_t width = 0;
        StringItem* flow = nullptr;
        bool overflow = false;
        for (int32_t i = start; i <= last; ++i) {
            if (!lastKnown && i > start + 1 && breaksAt(i)) {
                last = i - 1;
                lastKnown = true;
                break;
            }
            Item& item = *items[i];
            StringItem* text = asText(item);
            if (i == start && continuing) {
                JavaPtr<String> rest = StringItem::wrapTextLine(m_textContinueIndex, usable, nullptr, nullptr,
                                                                text->heldText(), text->heldFont());
                width += text->heldFont()->stringWidth(rest);
            } else if (!continuing && unlockedText(item)) {
                // Its box is its line and the padding, which the row must hold as it holds any box.
                int32_t next = -1;
                JavaPtr<String> line = StringItem::wrapTextLine(0, usable - width - 2 * PAD_X, &next, nullptr,
                                                                text->heldText(), text->heldFont());
                const int32_t lineWidth = line ? text->heldFont()->stringWidth(line) : 0;
                item.m_width = lineWidth + 2 * PAD_X;
                width += item.m_width;
                if (next == -1) {
                    // Its lines may come from another width: the row shows it as one line.
                    if (line && (!text->m_lines || text->m_lines->length != 1)) text->m_updatecontentHeightAndWidth();
                } else {
                    m_textContinueIndex = next;
                    text->m_flowing = true;
                    item.m_height = text->heldFont()->getHeight();
                    item.updateContentDimensions();
                    text->m_lines = JavaPtr<JArray<String>>(new JArray<String>(0));
                    text->m_lineX = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(0));
                    text->m_lineY = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(0));
                    text->m_lines->append(line);
                    flow = text;
                    last = i;
                }
            } else {
                const bool shrink = item.layoutInternal() & LAYOUT_SHRINK;
                item.m_width = shrink ? item.getMinimumWidth() : item.getPreferredWidth();
                width += item.m_width;
            }
            if (width > usable && last > start) {
                overflow = true;
                last = i > start ? i - 1 : start;
                lastKnown = true;
                break;
            }
            if (flow) break;
        }
        if (!overflow) {
            *rowWidth = width;
            *flowing = flow;
            return last;
        }
        // A text that began to flow and is then dropped starts the next row afresh.
        if (flow) {
            m_textContinueIndex = -1;
            flow->m_flowing = false;
            flow->m_updatecontentHeightAndWidth();
        }
    }
}

void FormCanvas::m_shareSpare(JArray<Item>& items, int32_t start, int32_t last, int32_t* spare) {
    int64_t room = 0;
    for (int32_t i = start; i <= last; ++i) {
        Item& item = *items[i];
        if (asText(item) || !(item.layoutInternal() & LAYOUT_SHRINK)) continue;
        room += std::max(0, item.getPreferredWidth() - item.getMinimumWidth());
    }
    if (room > 0) {
        // Shared in proportion to each item's room, what the division leaves from left to right.
        const int32_t budget = static_cast<int32_t>(std::min<int64_t>(*spare, room));
        int32_t given = 0;
        for (int32_t i = start; i <= last; ++i) {
            Item& item = *items[i];
            if (asText(item) || !(item.layoutInternal() & LAYOUT_SHRINK)) continue;
            const int32_t grow =
                static_cast<int32_t>(budget * std::max(0, item.getPreferredWidth() - item.getMinimumWidth()) / room);
            item.m_width += grow;
            given += grow;
        }
        for (int32_t i = start; i <= last && given < budget; ++i) {
            Item& item = *items[i];
            if (asText(item) || !(item.layoutInternal() & LAYOUT_SHRINK)) continue;
            if (item.m_width >= item.getPreferredWidth()) continue;
            ++item.m_width;
            ++given;
        }
        *spare -= budget;
    }
    int32_t expanders = 0;
    for (int32_t i = start; i <= last; ++i)
        if (!asText(*items[i]) && (items[i]->layoutInternal() & Item::LAYOUT_EXPAND)) ++expanders;
    if (expanders == 0 || *spare <= 0) return;
    // Round by round a pixel each from the left: the leftmost get the odd pixels.
    int32_t order = 0;
    for (int32_t i = start; i <= last; ++i) {
        Item& item = *items[i];
        if (asText(item) || !(item.layoutInternal() & Item::LAYOUT_EXPAND)) continue;
        item.m_width += *spare / expanders + (order++ < *spare % expanders ? 1 : 0);
    }
    *spare = 0;
}

int32_t FormCanvas::relayoutFormItemsRow(const JavaPtr<JArray<Item>>& itemArray, int32_t start) {
    JArray<Item>& items = *itemArray;
    if (start < 0 || start >= items.length) return 0;
    const bool continuing = m_textContinueIndex != -1;
    m_rowAlignment = items[start]->layoutInternal() & 3;
    if (m_rowAlignment == 0) m_rowAlignment = 1;

    const int32_t usable = usableWidth();
    int32_t rowWidth = 0;
    StringItem* flowing = nullptr;
    const int32_t last = m_fitRow(items, start, continuing, usable, &rowWidth, &flowing);

    int32_t spare = usable - rowWidth;
    if (spare < 0) {
        items[start]->m_width = usable;
        spare = 0;
    } else if (spare >= 1) {
        m_shareSpare(items, start, last, &spare);
    }
    const int32_t startX =
        m_rowAlignment == Item::LAYOUT_RIGHT ? spare + ROW_MARGIN
        : m_rowAlignment == Item::LAYOUT_CENTER ? spare / 2 + ROW_MARGIN
                                                : ROW_MARGIN;

    // The text flowing out of or into this row keeps its one line's height.
    const auto isFlowLine = [&](int32_t i) {
        return (continuing && i == start) || (flowing && items[i].get() == flowing);
    };
    int32_t rowHeight = 0;
    for (int32_t i = start; i <= last; ++i) {
        Item& item = *items[i];
        const int32_t h = isFlowLine(i)                                     ? item.m_height
                          : item.layoutInternal() & Item::LAYOUT_VSHRINK ? item.getMinimumHeight()
                                                                            : item.getPreferredHeight();
        rowHeight = std::max(rowHeight, h);
    }
    const int32_t rowTop = m_layoutY;
    for (int32_t i = start; i <= last; ++i) {
        Item& item = *items[i];
        const int32_t layout = item.layoutInternal();
        if (!isFlowLine(i)) {
            if (layout & Item::LAYOUT_VSHRINK) {
                item.m_height = std::min(item.getPreferredHeight(), rowHeight);
            } else if (layout & Item::LAYOUT_VEXPAND) {
                item.m_height = rowHeight;
            } else {
                item.m_height = item.getPreferredHeight();
            }
        }
        const int32_t vertical = layout & Item::LAYOUT_VCENTER;
        const int32_t offset = vertical == Item::LAYOUT_TOP       ? 0
                               : vertical == Item::LAYOUT_VCENTER ? (rowHeight - item.m_height) / 2
                                                                  : rowHeight - item.m_height;
        item.m_y = rowTop + offset;
        item.m_row = m_rowCount;
    }
    m_layoutY += rowHeight;
    if (!(flowing && !continuing && last == start)) ++m_rowCount;

    int32_t x = startX;
    for (int32_t i = start; i <= last; ++i) {
        Item& item = *items[i];
        if (!(continuing && i == start)) {
            item.m_x = x;
            x += item.m_width;
            continue;
        }
        StringItem& text = *asText(item);
        JavaPtr<String> rest =
            StringItem::wrapTextLine(m_textContinueIndex, usable, nullptr, nullptr, text.heldText(), text.heldFont());
        text.m_lineX->append(x);
        text.m_lineY->append(item.m_y - text.m_flowY);
        text.m_lines->append(rest);
        x += text.heldFont()->stringWidth(rest);
        m_textContinueIndex = -1;
        item.m_height = text.heldFont()->getHeight();
        item.updateContentDimensions();
        m_layoutY += item.labelHeight();
    }

    int32_t result = last - start + 1;
    if (!flowing) return result;
    // The first line stands at the end of this row, the middle lines in rows of their own, and the
    // last one is left for the next row, which begins with this item again.
    StringItem& text = *flowing;
    text.m_lineX->append(text.m_x);
    text.m_lineY->append(0);
    text.m_flowX = 0;
    text.m_flowY = text.m_y;
    text.m_flowRow = m_rowCount++;
    const int32_t lineHeight = text.heldFont()->getHeight();
    const int32_t align = (text.getLayout() & 3) != 0 ? text.getLayout() & 3 : m_rowAlignment;
    int32_t yOffset = rowTop - text.m_flowY + rowHeight;
    for (;;) {
        int32_t next = -1;
        JavaPtr<String> line =
            StringItem::wrapTextLine(m_textContinueIndex, usable, &next, nullptr, text.heldText(), text.heldFont());
        if (next == -1) {
            --result;
            break;
        }
        const int32_t lineWidth = text.heldFont()->stringWidth(line);
        text.m_lines->append(line);
        text.m_lineY->append(yOffset);
        text.m_lineX->append(align == Item::LAYOUT_RIGHT    ? usable - lineWidth + ROW_MARGIN
                             : align == Item::LAYOUT_CENTER ? (usable - lineWidth) / 2 + ROW_MARGIN
                                                            : ROW_MARGIN);
        m_textContinueIndex = next;
        m_layoutY += lineHeight;
        yOffset += lineHeight;
    }
    return result;
}

JavaPtr<JArray<int32_t>> FormCanvas::m_defaultVisRect_inout(const JavaPtr<Item>& item) {
    auto rect = java::lang::jnew<JArray<int32_t>>(4);
    if (!getForm() || !item) return rect;
    (*rect)[2] = item->m_contentWidth;
    (*rect)[3] = item->m_contentHeight;
    return rect;
}

void FormCanvas::ensureHighlightedItemVisible(const JavaPtr<JArray<int32_t>>& visRect) {
    std::lock_guard lock(paintLock());
    JavaPtr<Form> form = getForm();
    if (!form || !verticalScrollbarVisible()) return;
    JavaPtr<Item> item = form->highlightedItem();
    if (!item) return;
    int32_t top = item->m_y;
    int32_t height = 0;
    if (m_traversedItem) {
        int32_t y = (*visRect)[1];
        height = (*visRect)[3];
        if (y > item->m_contentHeight) {
            y = item->m_contentHeight;
            height = 0;
        }
        if (y < 0) {
            y = 0;
            height = 0;
        }
        if (y + height > item->m_contentHeight) height = item->m_contentHeight - y;
        height = std::min(height, form->getHeight());
        top = item->m_y + item->m_contentY + y;
    }
    const int32_t bottom = top + height;
    if (bottom > getVerticalScrollPos() + form->getHeight()) setVerticalScrollPos(bottom);
    if (top < getVerticalScrollPos()) setVerticalScrollPos(top);
}

}  // namespace javax::microedition::lcdui
