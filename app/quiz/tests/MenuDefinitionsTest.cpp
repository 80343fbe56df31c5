// The menu-definition engine: loading with a selection and the soft keys' texts, walking back,
// editing, moving the selection, and malformed or empty definitions.
#include <gtest/gtest.h>

#include "app/framework/HookCanvas.h"
#include "runtime/text/String.h"

namespace {

using java::lang::jnew;
using java::lang::String;
using Ints = JavaPtr<JArray<int32_t>>;

// Text ids read back as "t<id>".
class MenuCanvas : public HookCanvas {
public:
    JavaPtr<String> getString(int32_t id) override { return jnew<String>(("t" + std::to_string(id)).c_str()); }
};

constexpr int32_t SELECTABLE = 0x100;

Ints definition(std::initializer_list<Ints> items) {
    int32_t length = HookCanvas::NUM_MENU_DEFINITION_FIELDS;
    for (const auto& item : items) length += item->length;
    Ints out = jnew<JArray<int32_t>>(length);
    out->data[HookCanvas::MENU_DEFINITION_NUMITEMS] = static_cast<int32_t>(items.size());
    int32_t at = HookCanvas::NUM_MENU_DEFINITION_FIELDS;
    for (const auto& item : items) {
        item->data[0] |= item->length;
        for (int32_t i = 0; i < item->length; ++i) out->data[at++] = item->data[i];
    }
    return out;
}

class MenuDefinitionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        HookCanvas::HookCanvas_globalStaticCreate();
        canvas = jnew<MenuCanvas>();
        canvas->WENDinvokeconstructor();
        canvas->menu_definitions = jnew<JArray<JArray<int32_t>>>(4);
        // Menu 0: header, button, text, button, back soft key; menu 1: two forward soft keys and a button.
        canvas->menu_definitions->data[0] =
            definition({HookCanvas::menuItemHeader(10), HookCanvas::menuItemButton(11, SELECTABLE, 1),
                        HookCanvas::menuItemText(12), HookCanvas::menuItemButton(13, SELECTABLE, 2),
                        HookCanvas::menuItemSoftkey(14, false, 3)});
        canvas->menu_definitions->data[1] =
            definition({HookCanvas::menuItemSoftkey(20, true, 0), HookCanvas::menuItemButton(21, SELECTABLE, 0),
                        HookCanvas::menuItemSoftkey(22, true, 0)});
        canvas->menu_definitions->data[2] = definition({HookCanvas::menuItemSoftkey(30, false, 0)});
        canvas->menu_definitions->data[3] = definition({});
    }
    void TearDown() override {
        canvas = nullptr;
        HookCanvas::HookCanvas_globalStaticDestroy();
    }
    static std::string label(const JavaPtr<String>& s) { return s ? s->val() : "null"; }
    JavaPtr<MenuCanvas> canvas;
};

TEST_F(MenuDefinitionsTest, LoadingSelectsTheFirstMatchSetsTheSoftKeysAndBackReturns) {
    canvas->menuLoad(0, SELECTABLE);
    EXPECT_EQ(canvas->current_menu_item, 1);
    EXPECT_EQ(label(HookCanvas::back_softkey_string), "t14");
    EXPECT_EQ(label(HookCanvas::fwrd_softkey_string), "null");
    canvas->menuLoad(1, SELECTABLE);
    EXPECT_EQ(canvas->current_menu_item, 1);
    EXPECT_EQ(label(HookCanvas::fwrd_softkey_string), "t22") << "the later soft key of a side wins";
    EXPECT_EQ(label(HookCanvas::back_softkey_string), "null");
    canvas->menuLoad(2, SELECTABLE);
    EXPECT_EQ(canvas->current_menu_item, 0) << "only soft keys: item 0";
    EXPECT_EQ(label(HookCanvas::back_softkey_string), "t30");
    canvas->menuLoad(3, SELECTABLE);
    EXPECT_EQ(canvas->current_menu_item, 0);
    EXPECT_EQ(canvas->menuGetSoftkeyIndex(true), -1);

    canvas->menuLoad(0, SELECTABLE);
    canvas->menuAdjustCurrentSelectedItem(1, SELECTABLE, true);
    EXPECT_EQ(canvas->current_menu_item, 3);
    const int32_t ownLink = canvas->menu_definitions->data[0]->data[HookCanvas::MENU_DEFINITION_PREVIOUS_MENU_ITEM];
    canvas->menuLoad(1, SELECTABLE);
    canvas->menuBack();
    EXPECT_EQ(canvas->current_menu_id, 0);
    EXPECT_EQ(canvas->current_menu_item, 3);
    EXPECT_EQ(canvas->menu_definitions->data[0]->data[HookCanvas::MENU_DEFINITION_PREVIOUS_MENU_ITEM], ownLink);
}

TEST_F(MenuDefinitionsTest, SelectionMovesOverMatchingItemsAndWrapsOnlyWhenAsked) {
    struct Case {
        int32_t start, delta;
        bool wrap;
        int32_t expected;
    };
    for (const auto& c : {Case{1, 1, true, 3}, Case{3, 1, true, 1}, Case{1, -1, true, 3}, Case{1, 2, true, 1},
                          Case{3, 1, false, 3}, Case{1, 0, true, 1}, Case{-1, 1, true, 1}}) {
        canvas->menuLoad(0, SELECTABLE);
        canvas->current_menu_item = c.start;
        canvas->menuAdjustCurrentSelectedItem(c.delta, SELECTABLE, c.wrap);
        EXPECT_EQ(canvas->current_menu_item, c.expected) << c.start << " by " << c.delta << (c.wrap ? " wrapping" : "");
    }
}

TEST_F(MenuDefinitionsTest, EmptyOrMalformedDefinitionsNeitherHangNorDivideByZero) {
    canvas->menuLoad(3, SELECTABLE);
    canvas->menuAdjustCurrentSelectedItem(1, SELECTABLE, true);
    EXPECT_EQ(canvas->current_menu_item, 0);
    canvas->menuLoad(0, SELECTABLE);
    canvas->menuAdjustCurrentSelectedItem(1, 0x400000, true);
    EXPECT_EQ(canvas->current_menu_item, 1) << "nothing matches: the selection stays";
    // An item whose size byte is 0 would keep every walk in place.
    Ints broken = definition({HookCanvas::menuItemButton(40, SELECTABLE, 0), HookCanvas::menuItemText(41)});
    broken->data[HookCanvas::NUM_MENU_DEFINITION_FIELDS] &= ~HookCanvas::MENU_ITEM_TFS_SIZE_MASK;
    canvas->menu_definitions->data[2] = broken;
    canvas->menuLoad(2, 0);
    EXPECT_EQ(canvas->menuGetSoftkeyIndex(false), -1);
    EXPECT_EQ(canvas->menuItemIndex(2, 1), -1);
    canvas->menuAdjustCurrentSelectedItem(1, SELECTABLE, true);
}

TEST_F(MenuDefinitionsTest, InsertedAndRemovedItemsKeepTheDefinitionWellFormed) {
    canvas->menuInjectItem(0, 5, HookCanvas::menuItemButton(50, SELECTABLE, 9));
    canvas->menuInjectItem(0, 0, HookCanvas::menuItemText(51));
    const Ints menu = canvas->menu_definitions->data[0];
    EXPECT_EQ(menu->data[HookCanvas::MENU_DEFINITION_NUMITEMS], 7);
    EXPECT_EQ(menu->data[HookCanvas::NUM_MENU_DEFINITION_FIELDS], HookCanvas::MENU_ITEMTYPE_TEXT | 3)
        << "the size byte is the item's length";
    const int32_t last = canvas->menuItemIndex(0, 6);
    EXPECT_EQ(menu->data[last + HookCanvas::MENU_BUTTON_TEXTID], 50);
    EXPECT_EQ(last + 4, menu->length);
    EXPECT_EQ(canvas->menuItemIndex(0, 7), -1);
    canvas->menuRemoveItem(0, 1);
    const Ints& shorter = canvas->menu_definitions->data[0];
    EXPECT_EQ(shorter->data[HookCanvas::MENU_DEFINITION_NUMITEMS], 6);
    EXPECT_EQ(shorter->data[canvas->menuItemIndex(0, 1) + HookCanvas::MENU_BUTTON_TEXTID], 11);
    EXPECT_EQ(shorter->length, menu->length - 3);
}

}  // namespace
