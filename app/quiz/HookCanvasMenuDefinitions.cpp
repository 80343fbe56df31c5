// Menus described as int arrays: items with soft keys, headers, texts and buttons, loaded with a
// selection, walked back and edited. The quiz defines none. Every walk stops at an item of size 0,
// and a selection move visits each item at most once, so a malformed or empty definition can
// neither hang nor divide by zero.
#include "app/framework/HookCanvas.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {
using Ints = JavaPtr<JArray<int32_t>>;

Ints ints(std::initializer_list<int32_t> values) {
    Ints out = jnew<JArray<int32_t>>(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (int32_t v : values) out->data[i++] = v;
    return out;
}
int32_t itemSize(const Ints& menu, int32_t index) { return menu->data[index] & HookCanvas::MENU_ITEM_TFS_SIZE_MASK; }
bool isSoftkey(const Ints& menu, int32_t index) { return static_cast<uint32_t>(menu->data[index]) <= 0x00FFFFFFu; }
}  // namespace

JavaPtr<JArray<int32_t>> HookCanvas::menuItemSoftkey(int32_t textId, bool fwrd, int32_t action) {
    return ints({MENU_ITEMTYPE_SOFTKEY, textId, fwrd ? 1 : 0, action});
}
JavaPtr<JArray<int32_t>> HookCanvas::menuItemButton(int32_t textId, int32_t flags, int32_t action) {
    return ints({MENU_ITEMTYPE_BUTTON | flags, textId, -1, action});
}
JavaPtr<JArray<int32_t>> HookCanvas::menuItemText(int32_t textId) { return ints({MENU_ITEMTYPE_TEXT, textId, -1}); }
JavaPtr<JArray<int32_t>> HookCanvas::menuItemHeader(int32_t textId) { return ints({MENU_ITEMTYPE_HEADER, textId, -1}); }

int32_t HookCanvas::menuItemIndex(int32_t menu, int32_t item) {
    const Ints& definition = menu_definitions->data[menu];
    if (!definition || definition->length < NUM_MENU_DEFINITION_FIELDS + 1) return -1;
    int32_t index = NUM_MENU_DEFINITION_FIELDS;
    for (int32_t k = 0; k < item; ++k) {
        const int32_t size = itemSize(definition, index);
        if (size == 0) return -1;
        index += size;
        if (index >= definition->length) return -1;
    }
    return index;
}

int32_t HookCanvas::menuItemIndex(int32_t item) { return menuItemIndex(current_menu_id, item); }

int32_t HookCanvas::menuGetSoftkeyIndex(bool fwrd) {
    if (!current_menu || current_menu->length < NUM_MENU_DEFINITION_FIELDS + 1) return -1;
    for (int32_t index = NUM_MENU_DEFINITION_FIELDS; index < current_menu->length;) {
        if (isSoftkey(current_menu, index) && index + MENU_SOFTKEY_FWRD < current_menu->length &&
            current_menu->data[index + MENU_SOFTKEY_FWRD] == (fwrd ? 1 : 0))
            return index;
        const int32_t size = itemSize(current_menu, index);
        if (size == 0) break;
        index += size;
    }
    return -1;
}

void HookCanvas::menuLoad(int32_t menu, int32_t selectMask) { menuLoad(menu, selectMask, true); }

void HookCanvas::menuLoad(int32_t menu, int32_t selectMask, bool setSoftkeysToo) {
    current_menu = menu_definitions->data[menu];
    if (current_menu_id != menu)
        current_menu->data[MENU_DEFINITION_PREVIOUS_MENU_ITEM] = current_menu_item | (current_menu_id << 16);
    current_menu_item = -1;
    current_menu_id = menu;
    int32_t backText = -1;
    int32_t fwrdText = -1;
    int32_t ordinal = 0;
    for (int32_t index = NUM_MENU_DEFINITION_FIELDS; index < current_menu->length; ++ordinal) {
        if (isSoftkey(current_menu, index)) {
            if (index + MENU_SOFTKEY_FWRD < current_menu->length) {
                const int32_t text = current_menu->data[index + MENU_SOFTKEY_TEXTID];
                (current_menu->data[index + MENU_SOFTKEY_FWRD] != 0 ? fwrdText : backText) = text;
            }
        } else if ((current_menu->data[index] & selectMask) != 0 && current_menu_item == -1) {
            current_menu_item = ordinal;
        }
        const int32_t size = itemSize(current_menu, index);
        if (size == 0) break;
        index += size;
    }
    if (current_menu_item == -1) current_menu_item = 0;
    if (setSoftkeysToo)
        setSoftkeys(backText == -1 ? nullptr : getString(backText), fwrdText == -1 ? nullptr : getString(fwrdText));
}

void HookCanvas::menuBack() {
    const int32_t link = current_menu->data[MENU_DEFINITION_PREVIOUS_MENU_ITEM];
    const int32_t previousItem = link & 0xFFFF;
    const int32_t previousMenu = link >> 16;
    const int32_t ownLink = menu_definitions->data[previousMenu]->data[MENU_DEFINITION_PREVIOUS_MENU_ITEM];
    menuLoad(previousMenu, 0, true);
    current_menu_item = previousItem;
    current_menu->data[MENU_DEFINITION_PREVIOUS_MENU_ITEM] = ownLink;
}

void HookCanvas::menuAdjustCurrentSelectedItem(int32_t delta, int32_t selectMask, bool wrap) {
    const int32_t n = current_menu ? current_menu->data[MENU_DEFINITION_NUMITEMS] : 0;
    if (n <= 0 || delta == 0) return;
    const int32_t step = delta < 1 ? -1 : 1;
    int32_t position = current_menu_item;
    int32_t remaining = delta;
    // Each item is looked at once at most: the walk ends where it began, or at an end without wrap.
    for (int32_t visited = 0; visited < n; ++visited) {
        position = ((position + step) % n + n) % n;
        const int32_t index = menuItemIndex(current_menu_id, position);
        if (index >= 0 && (current_menu->data[index] & selectMask) != 0) {
            remaining -= step;
            if (remaining == 0) {
                current_menu_item = position;
                return;
            }
        }
        if (position == current_menu_item) return;
        if (!wrap && (position == 0 || position == n - 1)) return;
    }
}

void HookCanvas::menuInjectItem(int32_t menu, int32_t position, const JavaPtr<JArray<int32_t>>& item) {
    item->data[MENU_ITEM_TYPE_SIZE_FLAGS] |= item->length;
    const Ints old = menu_definitions->data[menu];
    Ints fresh = jnew<JArray<int32_t>>(old->length + item->length);
    for (int32_t i = 0; i < NUM_MENU_DEFINITION_FIELDS; ++i) fresh->data[i] = old->data[i];
    const int32_t count = ++fresh->data[MENU_DEFINITION_NUMITEMS];
    int32_t from = NUM_MENU_DEFINITION_FIELDS;
    int32_t to = NUM_MENU_DEFINITION_FIELDS;
    for (int32_t ordinal = 0; ordinal < count; ++ordinal) {
        const bool inserted = ordinal == position;
        const Ints& source = inserted ? item : old;
        const int32_t start = inserted ? 0 : from;
        if (!inserted && from >= old->length) break;
        const int32_t size = inserted ? item->length : itemSize(old, from);
        if (size == 0 || start + size > source->length || to + size > fresh->length) break;
        for (int32_t w = 0; w < size; ++w) fresh->data[to + w] = source->data[start + w];
        to += size;
        if (!inserted) from += size;
    }
    menu_definitions->data[menu] = fresh;
}

void HookCanvas::menuRemoveItem(int32_t menu, int32_t item) {
    const Ints old = menu_definitions->data[menu];
    const int32_t removed = menuItemIndex(menu, item);
    if (removed < 0) return;
    const int32_t size = itemSize(old, removed);
    Ints fresh = jnew<JArray<int32_t>>(old->length - size);
    for (int32_t i = 0; i < NUM_MENU_DEFINITION_FIELDS; ++i) fresh->data[i] = old->data[i];
    --fresh->data[MENU_DEFINITION_NUMITEMS];
    int32_t to = NUM_MENU_DEFINITION_FIELDS;
    for (int32_t from = NUM_MENU_DEFINITION_FIELDS; from < old->length; ++from)
        if (from < removed || from >= removed + size) fresh->data[to++] = old->data[from];
    menu_definitions->data[menu] = fresh;
}
