// A form item listing elements (a string and an optional image each) with check boxes, radio
// circles or nothing, and which of them are selected; driven by arrows, FIRE and touch.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Choice.h"
#include "runtime/lcdui/forms/Item.h"

namespace javax::microedition::lcdui {

class ChoiceGroup : public Item, public Choice {
    JAVA_CLASS(ChoiceGroup, "javax.microedition.lcdui.ChoiceGroup", Item, Choice)
public:
    // Rows lie this far apart, the first this far below the content top.
    static constexpr int32_t ROW_GAP = 4;
    static constexpr int32_t TOP_MARGIN = 3;

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t choiceType);
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t choiceType,
                               const JavaPtr<JArray<java::lang::String>>& strings, const JavaPtr<JArray<Image>>& images,
                               bool isListChoice = false);

    void notifyStateChanged() override;
    bool requiresOwnRow() override { return true; }
    int32_t getMinContentHeight() override;
    int32_t getMinContentWidth() override;
    int32_t getPrefContentWidth(int32_t height) override;
    int32_t getPrefContentHeight(int32_t width) override { return getMinContentHeight(); }
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;
    void sizeChanged(int32_t w, int32_t h) override {}
    void keyReleased(int32_t keyCode) override;
    bool traverse(int32_t dir, int32_t viewportWidth, int32_t viewportHeight,
                  const JavaPtr<JArray<int32_t>>& visRect) override;
    void traverseOut() override;
    void rebuildTouchscreenAreas() override;
    void touchscreenAreaEvent(const JavaPtr<java::lang::String>& name, int32_t type, int32_t x, int32_t y, int32_t dx,
                              int32_t dy, bool inside) override;

    int32_t append(const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    void deleteJ(int32_t index) override;
    void deleteAll() override;
    int32_t getFitPolicy() override { return TEXT_WRAP_DEFAULT; }
    JavaPtr<Font> getFont(int32_t index) override;
    JavaPtr<Image> getImage(int32_t index) override;
    int32_t getSelectedFlags(const JavaPtr<JArray<bool>>& flags) override;
    int32_t getSelectedIndex() override;
    JavaPtr<java::lang::String> getString(int32_t index) override;
    void insert(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    bool isSelected(int32_t index) override;
    void set(int32_t index, const JavaPtr<java::lang::String>& string, const JavaPtr<Image>& image) override;
    void setFitPolicy(int32_t policy) override {}
    void setFont(int32_t index, const JavaPtr<Font>& font) override;
    void setSelectedFlags(const JavaPtr<JArray<bool>>& flags) override;
    void setSelectedIndex(int32_t index, bool selected) override;
    int32_t size() override;

    void m_setSelectedIndex(int32_t index, bool selected, bool notify);
    int32_t m_elementRowHeight(int32_t index);
    void ensureSelection();
    void validateElementNum(int32_t index);
    void setSelectCommand(const JavaPtr<Command>& command);
    int32_t getChoiceType() const { return m_choiceType; }
    int32_t getHighlightedIndex();

private:
    int32_t m_indicatorSize() const;
    void m_changed();

    int32_t m_choiceType = EXCLUSIVE;
    int32_t m_numElements = 0;
    JavaPtr<JArray<java::lang::String>> m_strings;
    JavaPtr<JArray<Image>> m_images;
    JavaPtr<JArray<bool>> m_selectedFlags;
    JavaPtr<JArray<Font>> m_fonts;
    JavaPtr<Font> m_defaultFont;
    int32_t m_selectedIndex = -1;
    int32_t m_highlightedIndex = -1;
    bool m_isListChoice = false;
    JavaPtr<Command> m_selectCommand;
    int32_t m_bestImageWidth = 12;
    int32_t m_bestImageHeight = 12;
    bool m_touchAreasRegistered = false;
    JavaPtr<java::lang::String> m_touchAreaBaseCode;
};

}  // namespace javax::microedition::lcdui
