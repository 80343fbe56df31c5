// The base of every form item: label, layout word, preferred size, commands, the box the form
// layout gives it, the form that holds it, its touch areas, and the painting of label, highlight
// frame and content around what the item itself draws.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class Command;
class Font;
class Form;
class FormCanvas;
class Graphics;
class ItemCommandListener;
class TouchScreenAreaListener;

class Item : public java::lang::Object {
    JAVA_CLASS(Item, "javax.microedition.lcdui.Item", java::lang::Object)
public:
    static constexpr int32_t PLAIN = 0;
    static constexpr int32_t HYPERLINK = 1;
    static constexpr int32_t BUTTON = 2;
    static constexpr int32_t LAYOUT_DEFAULT = 0;
    static constexpr int32_t LAYOUT_LEFT = 1;
    static constexpr int32_t LAYOUT_RIGHT = 2;
    static constexpr int32_t LAYOUT_CENTER = 3;
    static constexpr int32_t LAYOUT_TOP = 0x10;
    static constexpr int32_t LAYOUT_BOTTOM = 0x20;
    static constexpr int32_t LAYOUT_VCENTER = 0x30;
    static constexpr int32_t LAYOUT_NEWLINE_BEFORE = 0x100;
    static constexpr int32_t LAYOUT_NEWLINE_AFTER = 0x200;
    static constexpr int32_t LAYOUT_EXPAND = 0x800;
    static constexpr int32_t LAYOUT_VSHRINK = 0x1000;
    static constexpr int32_t LAYOUT_VEXPAND = 0x2000;
    static constexpr int32_t LAYOUT_2 = 0x4000;

    // Everything that hands out a counted reference to the item waits for WENDinvokeconstructor.
    Item();
    ~Item() override;
    void WENDinvokeconstructor() { Object::WENDinvokeconstructor(); }

    virtual void addCommand(const JavaPtr<Command>& command);
    virtual JavaPtr<java::lang::String> getLabel();
    virtual int32_t getLayout();
    virtual int32_t getMinimumHeight();
    virtual int32_t getMinimumWidth();
    virtual int32_t getPreferredHeight();
    virtual int32_t getPreferredWidth();
    virtual void notifyStateChanged();
    virtual void removeCommand(const JavaPtr<Command>& command);
    virtual void setDefaultCommand(const JavaPtr<Command>& command);
    virtual void setItemCommandListener(const JavaPtr<ItemCommandListener>& listener);
    virtual void setLabel(const JavaPtr<java::lang::String>& label);
    virtual void setLayout(int32_t layout);
    virtual void setPreferredSize(int32_t width, int32_t height);
    virtual bool addToForm(Form* form);
    virtual void removeFromForm();
    virtual void hideNotify();
    virtual void showNotify();
    // The layout word the form layout reads.
    virtual int32_t layoutInternal();
    virtual bool requiresOwnRow() { return false; }
    virtual void tick(int64_t ms) {}
    // Called after the item command listener whenever a command fires while the item is highlighted.
    virtual void command(const JavaPtr<Command>& command) {}
    virtual int32_t usableFormWidth();
    virtual void preferredSizeChanged() {}
    virtual int32_t getMinContentHeight() { return 0; }
    virtual int32_t getMinContentWidth() { return 0; }
    virtual int32_t getPrefContentWidth(int32_t height) { return 0; }
    virtual int32_t getPrefContentHeight(int32_t width) { return 0; }
    // The content painter, in content coordinates.
    virtual void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) {}
    virtual void sizeChanged(int32_t w, int32_t h) {}
    virtual void invalidate();
    virtual void keyPressed(int32_t keyCode) {}
    virtual void keyReleased(int32_t keyCode) {}
    virtual void keyRepeated(int32_t keyCode) {}
    virtual void pointerDragged(int32_t x, int32_t y) {}
    virtual void pointerPressed(int32_t x, int32_t y) {}
    virtual void pointerReleased(int32_t x, int32_t y) {}
    virtual void repaint();
    virtual bool traverse(int32_t dir, int32_t viewportWidth, int32_t viewportHeight,
                          const JavaPtr<JArray<int32_t>>& visRect) {
        return false;
    }
    virtual void traverseOut() {}
    virtual int32_t getGameAction(int32_t keyCode);
    virtual void rebuildTouchscreenAreas() {}
    virtual void touchscreenAreaEvent(const JavaPtr<java::lang::String>& name, int32_t type, int32_t x, int32_t y,
                                      int32_t dx, int32_t dy, bool inside) {}

    // Null while no form holds the item.
    JavaPtr<Form> getContainingForm();
    JavaPtr<FormCanvas> getFormCanvas();
    void requestHighlight();
    int32_t labelHeight();
    int32_t labelWidth();
    void updateContentDimensions();
    void contentSizeChanged();
    // Box-relative in, content-relative out; whether the point lies in the content, edges included.
    bool m_toContentArea(int32_t* x, int32_t* y);
    void registerArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const JavaPtr<java::lang::String>& name);
    void unregisterAll();
    static void touchscreenEventCallback(void* context, JavaPtr<java::lang::String> name, int32_t type, int32_t x,
                                         int32_t y, int32_t dx, int32_t dy, bool inside);
    // Points in item coordinates (relative to the box). A press reaches the content only inside it
    // (true when it did); the drags and the release of that press reach it wherever they land.
    bool pointerPressedInternal(int32_t x, int32_t y);
    void pointerDraggedInternal(int32_t x, int32_t y);
    void pointerReleasedInternal(int32_t x, int32_t y);
    // Label, highlight frame and content, with the box where g is translated to form coordinates.
    void paint(const JavaPtr<Graphics>& g);

    JavaPtr<JArray<Command>> getCommands() { return m_commands; }
    JavaPtr<Command> getDefaultCommand() { return m_defaultCommand; }
    JavaPtr<ItemCommandListener> getItemCommandListener() { return m_itemCommandListener; }
    bool isWidthLocked() const { return m_widthLocked; }
    bool isHeightLocked() const { return m_heightLocked; }
    Form* formPointer() const { return m_form; }
    // The label as held, for the form layout, which holds the lock getLabel takes.
    const JavaPtr<java::lang::String>& heldLabel() const { return m_label; }

    // Written by the form layout; read by the canvas, the tests and the harness.
    int32_t m_contentWidth = -1;
    int32_t m_contentHeight = -1;
    int32_t m_contentX = 0;
    int32_t m_contentY = 0;
    int32_t m_width = -1;
    int32_t m_height = -1;
    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_row = -1;

protected:
    bool m_widthLocked = false;
    bool m_heightLocked = false;
    JavaPtr<JArray<Command>> m_commands;
    JavaPtr<Command> m_defaultCommand;
    JavaPtr<ItemCommandListener> m_itemCommandListener;
    JavaPtr<Font> m_labelFont;
    JavaPtr<java::lang::String> m_label;
    int32_t m_layout = LAYOUT_DEFAULT;
    int32_t m_preferredWidth = -1;
    int32_t m_preferredHeight = -1;
    // Not counted: the form owns the item.
    Form* m_form = nullptr;
    JavaPtr<TouchScreenAreaListener> m_touchListener;

private:
    void m_paintContent(const JavaPtr<Graphics>& g);
    void m_paintCustomContent(const JavaPtr<Graphics>& g);
};

}  // namespace javax::microedition::lcdui
