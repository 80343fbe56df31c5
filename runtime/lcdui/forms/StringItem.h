// A piece of text in a font, with an optional label; wrapTextLine is the one routine that breaks
// form text into lines, and the form layout lets the text flow over several rows.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace javax::microedition::lcdui {

class StringItem : public Item {
    JAVA_CLASS(StringItem, "javax.microedition.lcdui.StringItem", Item)
public:
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& text) {
        WENDinvokeconstructor(label, text, PLAIN);
    }
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& text,
                               int32_t appearanceMode);

    bool addToForm(Form* form) override;
    int32_t layoutInternal() override;
    void preferredSizeChanged() override;
    int32_t getMinContentHeight() override;
    int32_t getMinContentWidth() override;
    int32_t getPrefContentWidth(int32_t height) override;
    int32_t getPrefContentHeight(int32_t width) override;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;

    virtual int32_t getAppearanceMode();
    virtual JavaPtr<Font> getFont();
    virtual JavaPtr<java::lang::String> getText();
    virtual void setFont(const JavaPtr<Font>& font);
    virtual void setText(const JavaPtr<java::lang::String>& text);

    void init(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& text,
              int32_t appearanceMode, const JavaPtr<Font>& font);
    // One display line of text from start, at most maxWidth wide unless a single character is
    // wider; next receives where the following line starts (-1 at the end), hyphenated whether
    // a word was split. Both may be null. Null text or font gives null.
    static JavaPtr<java::lang::String> wrapTextLine(int32_t start, int32_t maxWidth, int32_t* next, bool* hyphenated,
                                                   const JavaPtr<java::lang::String>& text,
                                                   const JavaPtr<Font>& font);
    // Breaks the whole text at the breaking width; -1 means the usable form width.
    void wrapTextLines(int32_t width);
    void m_updatecontentHeightAndWidth();
    bool isFlowing() const { return m_flowing; }
    // The text and font as held, for the form layout, which holds the lock the getters take.
    const JavaPtr<java::lang::String>& heldText() const { return m_text; }
    const JavaPtr<Font>& heldFont() const { return m_font; }

    // Written by the form layout while the text flows over several rows.
    JavaPtr<JArray<java::lang::String>> m_lines;
    JavaPtr<JArray<int32_t>> m_lineX;
    JavaPtr<JArray<int32_t>> m_lineY;
    bool m_flowing = false;
    int32_t m_flowX = 0;
    int32_t m_flowY = 0;
    int32_t m_flowRow = 0;

private:
    JavaPtr<java::lang::String> m_text;
    JavaPtr<Font> m_font;
    int32_t m_appearanceMode = PLAIN;
};

}  // namespace javax::microedition::lcdui
