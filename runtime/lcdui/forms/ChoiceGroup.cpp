#include "runtime/lcdui/forms/ChoiceGroup.h"

#include <algorithm>
#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

template <class T>
JavaPtr<JArray<T>> withInserted(const JArray<T>& from, int32_t index, const typename JArray<T>::Element& value) {
    JavaPtr<JArray<T>> grown(new JArray<T>(from.length + 1));
    for (int32_t i = 0, j = 0; i < grown->length; ++i)
        (*grown)[i] = i == index ? value : const_cast<JArray<T>&>(from)[j++];
    return grown;
}

template <class T>
JavaPtr<JArray<T>> without(const JArray<T>& from, int32_t index) {
    JavaPtr<JArray<T>> shrunk(new JArray<T>(from.length - 1));
    for (int32_t i = 0, j = 0; i < from.length; ++i)
        if (i != index) (*shrunk)[j++] = const_cast<JArray<T>&>(from)[i];
    return shrunk;
}

}  // namespace

void ChoiceGroup::WENDinvokeconstructor(const JavaPtr<String>& label, int32_t choiceType) {
    WENDinvokeconstructor(label, choiceType, JavaPtr<JArray<String>>(new JArray<String>(0)), nullptr);
}

void ChoiceGroup::WENDinvokeconstructor(const JavaPtr<String>& label, int32_t choiceType,
                                        const JavaPtr<JArray<String>>& strings, const JavaPtr<JArray<Image>>& images,
                                        bool isListChoice) {
    Item::WENDinvokeconstructor();
    std::lock_guard lock(lcdui());
    setLabel(label);
    const bool known = choiceType == EXCLUSIVE || choiceType == MULTIPLE || choiceType == POPUP ||
                       (choiceType == IMPLICIT && isListChoice);
    if (!known) throw java::lang::IllegalArgumentException();
    if (!strings) throw java::lang::NullPointerException();
    for (int32_t i = 0; i < strings->length; ++i)
        if (!(*strings)[i]) throw java::lang::NullPointerException();
    if (images && images->length != strings->length) throw java::lang::NullPointerException();
    m_choiceType = choiceType;
    m_isListChoice = isListChoice;
    m_numElements = strings->length;
    // Copies: the caller may change its arrays afterwards, and set must not write into them.
    m_strings = JavaPtr<JArray<String>>(new JArray<String>(m_numElements));
    m_images = JavaPtr<JArray<Image>>(new JArray<Image>(m_numElements));
    m_selectedFlags = JavaPtr<JArray<bool>>(new JArray<bool>(m_numElements));
    m_fonts = JavaPtr<JArray<Font>>(new JArray<Font>(m_numElements));
    m_defaultFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    for (int32_t i = 0; i < m_numElements; ++i) {
        (*m_strings)[i] = (*strings)[i];
        if (images) (*m_images)[i] = (*images)[i];
        (*m_fonts)[i] = m_defaultFont;
    }
    m_selectedIndex = m_highlightedIndex = -1;
    const int32_t kind = isListChoice ? Display::LIST_ELEMENT : Display::CHOICE_GROUP_ELEMENT;
    JavaPtr<Display> display = Display::getDisplay();
    m_bestImageWidth = display->getBestImageWidth(kind);
    m_bestImageHeight = display->getBestImageHeight(kind);
    ensureSelection();
    m_touchAreaBaseCode = TouchScreenAreaManager::getUniqueBaseCode(JavaPtr<String>(new String("ChoiceGroup")));
    m_touchAreasRegistered = false;
}

void ChoiceGroup::validateElementNum(int32_t index) {
    if (index < 0 || index >= m_numElements) throw java::lang::IndexOutOfBoundsException();
}

int32_t ChoiceGroup::m_indicatorSize() const {
    return m_choiceType == MULTIPLE ? 20 : m_choiceType == EXCLUSIVE ? 16 : 0;
}

int32_t ChoiceGroup::m_elementRowHeight(int32_t index) {
    int32_t height = m_indicatorSize();
    if ((*m_images)[index]) height = std::max(height, m_bestImageHeight);
    const int32_t fontHeight = (*m_fonts)[index]->getHeight();
    return height > fontHeight ? height : fontHeight;
}

void ChoiceGroup::m_changed() {
    invalidate();
    ensureSelection();
    rebuildTouchscreenAreas();
}

int32_t ChoiceGroup::append(const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    std::lock_guard lock(lcdui());
    if (!string) throw java::lang::NullPointerException();
    m_strings->append(string);
    m_images->append(image);
    m_selectedFlags->append(false);
    m_fonts->append(m_defaultFont);
    ++m_numElements;
    ensureSelection();
    invalidate();
    rebuildTouchscreenAreas();
    return m_numElements - 1;
}

void ChoiceGroup::insert(int32_t index, const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    std::lock_guard lock(lcdui());
    if (index < 0 || index > m_numElements) throw java::lang::IndexOutOfBoundsException();
    if (!string) throw java::lang::NullPointerException();
    m_strings = withInserted(*m_strings, index, string);
    m_images = withInserted(*m_images, index, image);
    m_selectedFlags = withInserted(*m_selectedFlags, index, false);
    m_fonts = withInserted(*m_fonts, index, m_defaultFont);
    if (m_selectedIndex >= index) ++m_selectedIndex;
    if (m_highlightedIndex >= index) ++m_highlightedIndex;
    ++m_numElements;
    m_changed();
}

void ChoiceGroup::deleteJ(int32_t index) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    const bool wasSelected = index == m_selectedIndex;
    m_strings = without(*m_strings, index);
    m_images = without(*m_images, index);
    m_selectedFlags = without(*m_selectedFlags, index);
    m_fonts = without(*m_fonts, index);
    if (m_selectedIndex >= index) --m_selectedIndex;
    if (m_highlightedIndex >= index) --m_highlightedIndex;
    // An implicit group has no selection rule to restore its predecessor's flag: the deleted
    // selection leaves no selection rather than an index whose flag is clear.
    if (wasSelected && m_choiceType == IMPLICIT) m_selectedIndex = -1;
    --m_numElements;
    m_changed();
}

void ChoiceGroup::deleteAll() {
    std::lock_guard lock(lcdui());
    m_strings = JavaPtr<JArray<String>>(new JArray<String>(0));
    m_images = JavaPtr<JArray<Image>>(new JArray<Image>(0));
    m_selectedFlags = JavaPtr<JArray<bool>>(new JArray<bool>(0));
    m_fonts = JavaPtr<JArray<Font>>(new JArray<Font>(0));
    m_numElements = 0;
    m_selectedIndex = m_highlightedIndex = -1;
    ensureSelection();
    invalidate();
    rebuildTouchscreenAreas();
}

void ChoiceGroup::set(int32_t index, const JavaPtr<String>& string, const JavaPtr<Image>& image) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    if (!string) throw java::lang::NullPointerException();
    (*m_strings)[index] = string;
    (*m_images)[index] = image;
}

JavaPtr<String> ChoiceGroup::getString(int32_t index) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    return (*m_strings)[index];
}

JavaPtr<Image> ChoiceGroup::getImage(int32_t index) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    return (*m_images)[index];
}

JavaPtr<Font> ChoiceGroup::getFont(int32_t index) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    return (*m_fonts)[index];
}

void ChoiceGroup::setFont(int32_t index, const JavaPtr<Font>& font) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    (*m_fonts)[index] = font ? font : m_defaultFont;
}

bool ChoiceGroup::isSelected(int32_t index) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    return (*m_selectedFlags)[index];
}

int32_t ChoiceGroup::getSelectedIndex() {
    std::lock_guard lock(lcdui());
    return m_choiceType == MULTIPLE ? -1 : m_selectedIndex;
}

int32_t ChoiceGroup::getHighlightedIndex() {
    std::lock_guard lock(lcdui());
    return m_highlightedIndex;
}

int32_t ChoiceGroup::size() {
    std::lock_guard lock(lcdui());
    return m_numElements;
}

void ChoiceGroup::setSelectedIndex(int32_t index, bool selected) {
    std::lock_guard lock(lcdui());
    validateElementNum(index);
    m_setSelectedIndex(index, selected, false);
}

int32_t ChoiceGroup::getSelectedFlags(const JavaPtr<JArray<bool>>& flags) {
    std::lock_guard lock(lcdui());
    if (!flags || flags->length < m_numElements) throw java::lang::NullPointerException();
    int32_t selected = 0;
    for (int32_t i = 0; i < flags->length; ++i) {
        (*flags)[i] = i < m_numElements && (*m_selectedFlags)[i];
        selected += (*flags)[i] ? 1 : 0;
    }
    return selected;
}

void ChoiceGroup::setSelectedFlags(const JavaPtr<JArray<bool>>& flags) {
    std::lock_guard lock(lcdui());
    if (!flags || flags->length < m_numElements) throw java::lang::NullPointerException();
    const int32_t before = m_selectedIndex;
    m_selectedFlags = JavaPtr<JArray<bool>>(new JArray<bool>(m_numElements));
    m_selectedIndex = -1;
    if (m_choiceType == MULTIPLE) {
        bool any = false;
        for (int32_t i = 0; i < m_numElements; ++i) any |= ((*m_selectedFlags)[i] = (*flags)[i]);
        if (any) invalidate();
        return;
    }
    for (int32_t i = 0; i < m_numElements && m_selectedIndex == -1; ++i)
        if ((*flags)[i]) m_selectedIndex = i;
    ensureSelection();
    if (m_selectedIndex != before) invalidate();
}

void ChoiceGroup::m_setSelectedIndex(int32_t index, bool selected, bool notify) {
    std::lock_guard lock(lcdui());
    if (m_choiceType == MULTIPLE) {
        if ((*m_selectedFlags)[index] == selected) return;
        (*m_selectedFlags)[index] = selected;
        repaint();
        if (notify) notifyStateChanged();
        return;
    }
    if (!selected) return;
    const int32_t old = m_selectedIndex;
    if (old >= 0 && old < m_numElements) (*m_selectedFlags)[old] = false;
    (*m_selectedFlags)[index] = true;
    m_selectedIndex = index;
    if (index == old) return;
    repaint();
    if (notify) notifyStateChanged();
}

void ChoiceGroup::ensureSelection() {
    std::lock_guard lock(lcdui());
    if (m_choiceType == EXCLUSIVE || m_choiceType == POPUP) {
        const int32_t before = m_selectedIndex;
        if (m_numElements == 0) {
            m_selectedIndex = -1;
        } else {
            if (m_selectedIndex == -1) m_selectedIndex = 0;
            (*m_selectedFlags)[m_selectedIndex] = true;
        }
        if (m_selectedIndex != before) invalidate();
    }
    JavaPtr<Form> form = getContainingForm();
    JavaPtr<Item> highlighted = form ? form->highlightedItem() : nullptr;
    if (m_numElements == 0 || (form && highlighted.get() != this)) {
        m_highlightedIndex = -1;
    } else if (m_highlightedIndex == -1) {
        m_highlightedIndex = 0;
    }
}

void ChoiceGroup::setSelectCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    m_selectCommand = command;
}

void ChoiceGroup::notifyStateChanged() {
    if (!m_isListChoice) Item::notifyStateChanged();
}

int32_t ChoiceGroup::getMinContentWidth() { return Display::screenWidth.load(); }
int32_t ChoiceGroup::getPrefContentWidth(int32_t) { return Display::screenWidth.load(); }

int32_t ChoiceGroup::getMinContentHeight() {
    std::lock_guard lock(lcdui());
    int32_t height = 0;
    for (int32_t i = 0; i < m_numElements; ++i) height += m_elementRowHeight(i) + ROW_GAP;
    return height;
}

void ChoiceGroup::rebuildTouchscreenAreas() {
    std::lock_guard lock(lcdui());
    m_touchAreasRegistered = false;
}

void ChoiceGroup::traverseOut() {
    std::lock_guard lock(lcdui());
    m_highlightedIndex = -1;
    repaint();
}

bool ChoiceGroup::traverse(int32_t dir, int32_t, int32_t, const JavaPtr<JArray<int32_t>>& visRect) {
    std::lock_guard lock(lcdui());
    if (m_numElements == 0) return false;
    const int32_t old = m_highlightedIndex, last = m_numElements - 1;
    int32_t now = old;
    if (old == -1) {
        if (dir == Canvas::UP || dir == Canvas::LEFT) now = last;
        if (dir == Canvas::DOWN || dir == Canvas::RIGHT || dir == 0) now = 0;
    } else {
        if (dir == Canvas::UP && old > 0) now = old - 1;
        if (dir == Canvas::DOWN && old < last) now = old + 1;
    }
    m_highlightedIndex = now;
    if (now >= 0 && visRect && visRect->length >= 4) {
        int32_t top = 0;
        for (int32_t i = 0; i < now; ++i) top += m_elementRowHeight(i) + ROW_GAP;
        (*visRect)[1] = top;
        (*visRect)[3] = m_elementRowHeight(now);
    }
    repaint();
    if (dir == 0 || now != old) return true;
    m_highlightedIndex = -1;
    return false;
}

void ChoiceGroup::keyReleased(int32_t keyCode) {
    JavaPtr<Command> fire;
    {
        std::lock_guard lock(lcdui());
        if (getGameAction(keyCode) != Canvas::FIRE || m_highlightedIndex < 0) return;
        const int32_t row = m_highlightedIndex;
        if (m_choiceType == MULTIPLE) {
            (*m_selectedFlags)[row] = !(*m_selectedFlags)[row];
            repaint();
            notifyStateChanged();
            return;
        }
        if (m_choiceType != IMPLICIT) {
            if (row == m_selectedIndex) return;
            m_setSelectedIndex(row, true, false);
            repaint();
            notifyStateChanged();
            return;
        }
        m_setSelectedIndex(row, true, true);
        fire = m_selectCommand;
    }
    if (JavaPtr<FormCanvas> canvas = getFormCanvas()) canvas->triggerCommand(fire);
}

void ChoiceGroup::touchscreenAreaEvent(const JavaPtr<String>& name, int32_t type, int32_t, int32_t, int32_t, int32_t,
                                       bool inside) {
    if (type != TouchScreenAreaListener::RELEASE || !inside) return;
    std::lock_guard lock(lcdui());
    const int32_t separator = name->indexOf(u'_');
    if (separator < 0) return;
    int32_t index = -1;
    try {
        index = java::lang::Integer::parseInt(name->substring(separator + 1));
    } catch (const java::lang::NumberFormatException&) {
        return;
    }
    // Rows removed since the areas were registered give nothing.
    if (index < 0 || index >= m_numElements) return;
    m_setSelectedIndex(index, true, true);
    m_highlightedIndex = index;
    repaint();
}

void ChoiceGroup::paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) {
    std::lock_guard lock(lcdui());
    if (m_numElements == 0) {
        m_touchAreasRegistered = true;
        return;
    }
    bool anyImage = false;
    for (int32_t i = 0; i < m_numElements; ++i) anyImage |= static_cast<bool>((*m_images)[i]);
    int32_t y = TOP_MARGIN;
    for (int32_t i = 0; i < m_numElements; ++i) {
        const int32_t rowHeight = m_elementRowHeight(i);
        g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        int32_t x = 3;
        if (m_choiceType == MULTIPLE) {
            const int32_t boxY = y + (rowHeight - 20) / 2;
            g->drawRect(3, boxY, 20, 20);
            if ((*m_selectedFlags)[i]) {
                g->drawLine(7, boxY + 4, 19, boxY + 16);
                g->drawLine(19, boxY + 4, 7, boxY + 16);
            }
            x = 26;
        } else if (m_choiceType == EXCLUSIVE) {
            const int32_t circleY = y + (rowHeight - 16) / 2;
            g->drawArc(3, circleY, 16, 16, 0, 360);
            if ((*m_selectedFlags)[i]) g->drawArc(7, circleY + 4, 8, 8, 0, 360);
            x = 22;
        }
        if (const JavaPtr<Image>& image = (*m_images)[i]) {
            const int32_t imageY = y + (rowHeight - m_bestImageHeight) / 2;
            g->setClip(x, imageY, m_bestImageWidth, m_bestImageHeight);
            g->drawImage(image, x, imageY, Graphics::TOP | Graphics::LEFT);
            g->setClip(0, 0, w, h);
        }
        const int32_t textX = anyImage ? x + m_bestImageWidth + 3 : x + 3;
        const JavaPtr<Font>& font = (*m_fonts)[i];
        g->setFont(font);
        const int32_t fontHeight = font->getHeight();
        const int32_t textY = y + (rowHeight - fontHeight) / 2;
        const bool highlighted = i == m_highlightedIndex;
        g->setColor(highlighted ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
        g->fillRect(textX, textY, w - textX, fontHeight);
        g->setColor(highlighted ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
        g->drawString((*m_strings)[i], textX, textY, Graphics::TOP | Graphics::LEFT);
        if (!m_touchAreasRegistered) registerArea(3, y, m_contentWidth - 3, y + rowHeight, m_touchAreaBaseCode + i);
        y += rowHeight + ROW_GAP;
    }
    m_touchAreasRegistered = true;
}

}  // namespace javax::microedition::lcdui
