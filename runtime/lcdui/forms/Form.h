// A screen of items: the item list with its MIDP rules, the highlighted item whose commands go on
// the soft keys, the item state listener, and the pinned list that keeps a form alive while
// anything outside the runtime still reaches it or one of its items (items point to it uncounted).
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lcdui/forms/Screen.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class FormCanvas;
class Image;
class Item;
class ItemStateListener;

class Form : public Screen {
    JAVA_CLASS(Form, "javax.microedition.lcdui.Form", Screen)
public:
    Form();
    ~Form() override;
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title) { WENDinvokeconstructor(title, nullptr); }
    // A null element throws NullPointerException, an item of another form IllegalStateException.
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title, const JavaPtr<JArray<Item>>& items);

    int32_t getHeight() override;
    int32_t getWidth() override;
    void relayout() override;

    virtual int32_t append(const JavaPtr<Image>& image);
    virtual int32_t append(const JavaPtr<Item>& item);
    virtual int32_t append(const JavaPtr<java::lang::String>& text);
    virtual void deleteJ(int32_t index);
    virtual void deleteAll();
    virtual JavaPtr<Item> get(int32_t index);
    virtual void insert(int32_t index, const JavaPtr<Item>& item);
    virtual void set(int32_t index, const JavaPtr<Item>& item);
    virtual void setItemStateListener(const JavaPtr<ItemStateListener>& listener);
    virtual int32_t size();

    bool deleteInternal(int32_t index);
    // The first slot holding that very item, or -1.
    int32_t m_indexForItem(const JavaPtr<Item>& item);
    void itemStateChanged(const JavaPtr<Item>& item);
    void m_highlightItem(int32_t index, bool navigated);
    bool m_unhighlightItem(int32_t index);
    // Switches highlighting off for good, whatever the argument.
    void setNeverHighlightItems(bool flag);
    bool neverHighlights() const { return m_neverHighlight; }
    JavaPtr<Item> highlightedItem();
    JavaPtr<JArray<Item>> items();
    // The form's own canvas; null while another canvas stands in for it.
    JavaPtr<FormCanvas> formCanvas();

    // Releases the pinned forms that neither the application nor anything else holds, counting
    // only the references the runtime itself explains.
    static void tidyUp();
    static int32_t pinnedCount();

private:
    void m_checkIndex(int32_t index, int32_t limit);
    void m_checkFree(const JavaPtr<Item>& item);

    JavaPtr<JArray<Item>> m_items;
    JavaPtr<Item> m_highlightedItem;
    bool m_neverHighlight = false;
    JavaPtr<ItemStateListener> m_itemStateListener;

    static inline JavaPtr<JArray<Form>> m_pinnedForms;
};

}  // namespace javax::microedition::lcdui
