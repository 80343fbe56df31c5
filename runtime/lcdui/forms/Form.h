// A screen of items; here only what the Display calls on it.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Screen.h"

namespace javax::microedition::lcdui {

class Item;

class Form : public Screen {
    JAVA_CLASS(Form, "javax.microedition.lcdui.Form", Screen)
public:
    void WENDinvokeconstructor() { Screen::WENDinvokeconstructor(); }

    // Prunes the pinned forms that nothing else references; no form is pinned yet.
    static void tidyUp() {}

    // A form holds no items yet, so no item has an index and none can be highlighted.
    int32_t m_indexForItem(const JavaPtr<Item>& item) { return -1; }
    void m_highlightItem(int32_t index, int32_t flag) {}
};

}  // namespace javax::microedition::lcdui
