#include "runtime/lcdui/forms/Form.h"

#include <algorithm>
#include <mutex>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ImageItem.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

int32_t listings(JArray<Item>& items, const Item* item) {
    int32_t count = 0;
    for (int32_t i = 0; i < items.length; ++i) count += items[i].get() == item ? 1 : 0;
    return count;
}

}  // namespace

Form::Form() : m_items(new JArray<Item>(0)) {}

Form::~Form() {
    // Items outlive their form only when held elsewhere; they must not point to it afterwards.
    for (int32_t i = 0; m_items && i < m_items->length; ++i)
        if ((*m_items)[i]->formPointer() == this) (*m_items)[i]->removeFromForm();
}

void Form::WENDinvokeconstructor(const JavaPtr<String>& title, const JavaPtr<JArray<Item>>& items) {
    Screen::WENDinvokeconstructor();
    std::lock_guard lock(lcdui());
    // Checked before anything is added, so that a refused array leaves no item pointing here.
    for (int32_t i = 0; items && i < items->length; ++i) {
        if (!(*items)[i]) throw java::lang::NullPointerException();
        m_checkFree((*items)[i]);
    }
    auto canvas = java::lang::jnew<FormCanvas>();
    canvas->WENDinvokeconstructor(this);
    setCorrespondingCanvas(canvas.get());
    m_items = JavaPtr<JArray<Item>>(new JArray<Item>(0));
    m_highlightedItem = nullptr;
    setNeedsRelayout(true);
    setTitle(title);
    for (int32_t i = 0; items && i < items->length; ++i) append((*items)[i]);
    if (!m_pinnedForms) m_pinnedForms = JavaPtr<JArray<Form>>(new JArray<Form>(0));
    m_pinnedForms->append(JavaPtr<Form>(this));
}

void Form::m_checkIndex(int32_t index, int32_t limit) {
    if (index < 0 || index >= limit) throw java::lang::IndexOutOfBoundsException();
}

void Form::m_checkFree(const JavaPtr<Item>& item) {
    if (!item) throw java::lang::NullPointerException();
    Form* owner = item->formPointer();
    if (owner && owner != this) throw java::lang::IllegalStateException();
}

int32_t Form::size() {
    std::lock_guard lock(lcdui());
    return m_items->length;
}

JavaPtr<Item> Form::get(int32_t index) {
    std::lock_guard lock(lcdui());
    m_checkIndex(index, m_items->length);
    return (*m_items)[index];
}

JavaPtr<Item> Form::highlightedItem() {
    std::lock_guard lock(lcdui());
    return m_highlightedItem;
}

JavaPtr<JArray<Item>> Form::items() {
    std::lock_guard lock(lcdui());
    return m_items;
}

JavaPtr<FormCanvas> Form::formCanvas() { return recastObj<FormCanvas>(getCorrespondingCanvas()); }

int32_t Form::append(const JavaPtr<Item>& item) {
    std::lock_guard lock(lcdui());
    m_checkFree(item);
    m_items->append(item);
    item->addToForm(this);
    const int32_t index = m_items->length - 1;
    if (!m_highlightedItem) m_highlightItem(index, false);
    // Also when the append highlights: a form laid out before (emptied, or its first item) must
    // place the new item. A form that never highlights is laid out by its owner.
    if (!m_neverHighlight) setNeedsRelayout(true);
    return index;
}

int32_t Form::append(const JavaPtr<String>& text) {
    if (!text) throw java::lang::NullPointerException();
    auto item = java::lang::jnew<StringItem>();
    item->WENDinvokeconstructor(nullptr, text);
    return append(JavaPtr<Item>(item));
}

int32_t Form::append(const JavaPtr<Image>& image) {
    if (!image) throw java::lang::NullPointerException();
    auto item = java::lang::jnew<ImageItem>();
    item->WENDinvokeconstructor(nullptr, image, Item::LAYOUT_DEFAULT, nullptr);
    return append(JavaPtr<Item>(item));
}

void Form::insert(int32_t index, const JavaPtr<Item>& item) {
    std::lock_guard lock(lcdui());
    m_checkIndex(index, m_items->length + 1);
    m_checkFree(item);
    if (index == m_items->length) {
        append(item);
    } else {
        item->addToForm(this);
        JavaPtr<JArray<Item>> grown(new JArray<Item>(m_items->length + 1));
        for (int32_t i = 0, j = 0; i < grown->length; ++i) (*grown)[i] = i == index ? item : (*m_items)[j++];
        m_items = grown;
    }
    setNeedsRelayout(true);
}

void Form::set(int32_t index, const JavaPtr<Item>& item) {
    std::lock_guard lock(lcdui());
    m_checkIndex(index, m_items->length);
    if (!item) throw java::lang::NullPointerException();
    if (item->formPointer()) throw java::lang::IllegalStateException();
    JavaPtr<Item> old = (*m_items)[index];
    m_unhighlightItem(index);
    (*m_items)[index] = item;
    // A copy listed elsewhere keeps the old item in this form.
    if (listings(*m_items, old.get()) == 0) {
        old->removeFromForm();
        old->unregisterAll();
        if (auto canvas = formCanvas()) canvas->itemLeft(old);
    }
    item->addToForm(this);
    setNeedsRelayout(true);
    m_highlightItem(index, false);
}

bool Form::deleteInternal(int32_t index) {
    std::lock_guard lock(lcdui());
    m_checkIndex(index, m_items->length);
    JavaPtr<Item> item = (*m_items)[index];
    JavaPtr<JArray<Item>> shrunk(new JArray<Item>(m_items->length - 1));
    for (int32_t i = 0, j = 0; i < m_items->length; ++i)
        if (i != index) (*shrunk)[j++] = (*m_items)[i];
    m_items = shrunk;
    // An item appended twice leaves the form with its last listing only.
    if (listings(*m_items, item.get()) == 0) {
        item->removeFromForm();
        item->unregisterAll();
        if (auto canvas = formCanvas()) canvas->itemLeft(item);
    }
    setNeedsRelayout(true);
    return true;
}

void Form::deleteJ(int32_t index) {
    std::lock_guard lock(lcdui());
    m_checkIndex(index, m_items->length);
    const bool wasHighlighted = m_unhighlightItem(index);
    deleteInternal(index);
    if (wasHighlighted && m_items->length > 0) m_highlightItem(std::min(index, m_items->length - 1), false);
}

void Form::deleteAll() {
    std::lock_guard lock(lcdui());
    JavaPtr<JArray<Item>> old = std::exchange(m_items, JavaPtr<JArray<Item>>(new JArray<Item>(0)));
    for (int32_t i = 0; i < old->length; ++i) {
        (*old)[i]->removeFromForm();
        (*old)[i]->unregisterAll();
        if (auto canvas = formCanvas()) canvas->itemLeft((*old)[i]);
    }
    // The soft keys must not keep offering commands of an item that is gone.
    if (auto canvas = formCanvas(); m_highlightedItem && canvas) canvas->setFormItemCommands(nullptr, nullptr);
    m_highlightedItem = nullptr;
    setNeedsRelayout(true);
}

void Form::setItemStateListener(const JavaPtr<ItemStateListener>& listener) {
    std::lock_guard lock(lcdui());
    m_itemStateListener = listener;
}

int32_t Form::m_indexForItem(const JavaPtr<Item>& item) {
    std::lock_guard lock(lcdui());
    for (int32_t i = 0; i < m_items->length; ++i)
        if ((*m_items)[i] == item) return i;
    return -1;
}

void Form::itemStateChanged(const JavaPtr<Item>& item) {
    JavaPtr<ItemStateListener> listener;
    {
        std::lock_guard lock(lcdui());
        listener = m_itemStateListener;
    }
    if (listener) listener->itemStateChanged(item);
}

void Form::m_highlightItem(int32_t index, bool navigated) {
    std::lock_guard lock(lcdui());
    if (m_neverHighlight || index < 0 || index >= m_items->length) return;
    if (m_highlightedItem) m_unhighlightItem(m_indexForItem(m_highlightedItem));
    JavaPtr<Item> item = (*m_items)[index];
    JavaPtr<FormCanvas> canvas = formCanvas();
    if (canvas) canvas->setFormItemCommands(item->getCommands(), item->getDefaultCommand());
    m_highlightedItem = item;
    if (!navigated && canvas) canvas->itemAutoHighlighted(item);
    if (canvas) canvas->setNeedsRepaint();
}

bool Form::m_unhighlightItem(int32_t index) {
    std::lock_guard lock(lcdui());
    if (!m_highlightedItem || index < 0 || index >= m_items->length || (*m_items)[index] != m_highlightedItem)
        return false;
    if (auto canvas = formCanvas()) canvas->setFormItemCommands(nullptr, nullptr);
    JavaPtr<Item> item = std::exchange(m_highlightedItem, nullptr);
    item->traverseOut();
    return true;
}

void Form::setNeverHighlightItems(bool) {
    std::lock_guard lock(lcdui());
    m_neverHighlight = true;
    m_highlightedItem = nullptr;
}

int32_t Form::getWidth() {
    JavaPtr<FormCanvas> canvas = formCanvas();
    if (!canvas) return Screen::getWidth();
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    canvas->getUnreservedArea(area);
    return (*area)[2] - (*area)[0];
}

int32_t Form::getHeight() {
    JavaPtr<FormCanvas> canvas = formCanvas();
    if (!canvas) return Screen::getHeight();
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    canvas->getUnreservedArea(area);
    return (*area)[3] - (*area)[1];
}

void Form::relayout() {
    std::lock_guard lock(lcdui());
    JavaPtr<FormCanvas> canvas = formCanvas();
    if (canvas) canvas->relayoutFormItems();
    setNeedsRelayout(false);
    if (canvas) canvas->setNeedsRepaint();
}

void Form::tidyUp() {
    JavaPtr<JArray<Form>> old;
    {
        std::lock_guard lock(lcdui());
        if (!m_pinnedForms) return;
        JavaPtr<JArray<Form>> kept(new JArray<Form>(0));
        for (int32_t i = 0; i < m_pinnedForms->length; ++i) {
            // The list and this one reference: anything above is a holder outside the runtime.
            const JavaPtr<Form>& pinned = (*m_pinnedForms)[i];
            JavaPtr<Form> form = pinned;
            bool keep = form.smart()->referenceCount() >= 3;
            JArray<Item>& items = *form->m_items;
            JavaPtr<FormCanvas> canvas = form->formCanvas();
            const Item* traversed = canvas ? canvas->traversedItem() : nullptr;
            for (int32_t j = 0; !keep && j < items.length; ++j) {
                const Item* item = items[j].get();
                // Each listing in the form's array, plus the ones the form and its canvas hold.
                int32_t expected = listings(items, item);
                if (form->m_highlightedItem.get() == item) ++expected;
                if (traversed == item) ++expected;
                keep = item->referenceCount() > expected;
            }
            if (keep) kept->append(form);
        }
        old = std::exchange(m_pinnedForms, kept->length > 0 ? kept : nullptr);
    }
    // The dropped forms go here, outside the lock: their items' destructors may be application code.
    old = nullptr;
}

int32_t Form::pinnedCount() {
    std::lock_guard lock(lcdui());
    return m_pinnedForms ? m_pinnedForms->length : 0;
}

}  // namespace javax::microedition::lcdui
