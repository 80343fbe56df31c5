// The item whose content a MIDlet draws and drives itself: it supplies the content sizes and
// paint, and overrides the callbacks it needs. Its content is painted through an image, so it
// starts each paint on the form background and cannot draw outside its area.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace javax::microedition::lcdui {

class CustomItem : public Item {
    JAVA_CLASS(CustomItem, "javax.microedition.lcdui.CustomItem", Item)
public:
    static constexpr int32_t NONE = 0;
    static constexpr int32_t TRAVERSE_HORIZONTAL = 1;
    static constexpr int32_t TRAVERSE_VERTICAL = 2;
    static constexpr int32_t KEY_PRESS = 4;
    static constexpr int32_t KEY_RELEASE = 8;
    static constexpr int32_t KEY_REPEAT = 16;
    static constexpr int32_t POINTER_PRESS = 32;
    static constexpr int32_t POINTER_RELEASE = 64;
    static constexpr int32_t POINTER_DRAG = 128;

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label);

    // No label or padding: the content alone.
    int32_t getMinimumHeight() override { return getMinContentHeight(); }
    int32_t getMinimumWidth() override { return getMinContentWidth(); }
    void hideNotify() override {}
    void showNotify() override {}
    int32_t getMinContentHeight() override = 0;
    int32_t getMinContentWidth() override = 0;
    int32_t getPrefContentWidth(int32_t height) override = 0;
    int32_t getPrefContentHeight(int32_t width) override = 0;
    void traverseOut() override { repaint(); }
    using Item::paint;
    using Item::repaint;

    int32_t getInteractionModes() const { return 255; }
    // The whole item: the rectangle is not used.
    void repaint(int32_t x, int32_t y, int32_t w, int32_t h) { repaint(); }
};

}  // namespace javax::microedition::lcdui
