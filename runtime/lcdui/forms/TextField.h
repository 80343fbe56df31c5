// An editable piece of text on a form: the text under its constraints, the caret, the display rows,
// multi-tap and keyboard entry, the symbol selector held on the star key, and its painting.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class TextField : public Item {
    JAVA_CLASS(TextField, "javax.microedition.lcdui.TextField", Item)
public:
    static constexpr int32_t ANY = 0;
    static constexpr int32_t EMAILADDR = 1;
    static constexpr int32_t NUMERIC = 2;
    static constexpr int32_t PHONENUMBER = 3;
    static constexpr int32_t URL = 4;
    static constexpr int32_t DECIMAL = 5;
    static constexpr int32_t PASSWORD = 0x10000;
    static constexpr int32_t UNEDITABLE = 0x20000;
    static constexpr int32_t SENSITIVE = 0x40000;
    static constexpr int32_t NON_PREDICTIVE = 0x80000;
    static constexpr int32_t INITIAL_CAPS_WORD = 0x100000;
    static constexpr int32_t INITIAL_CAPS_SENTENCE = 0x200000;
    static constexpr int32_t CONSTRAINT_MASK = 0xFFFF;
    static constexpr int32_t INTERNAL_MAX_SIZE = 10000;
    static constexpr int64_t MULTI_TAP_COMMIT_MS = 1200;
    static constexpr int32_t ROW_GAP = 3;
    static constexpr int32_t SELECTOR_ROWS = 2;
    static constexpr int32_t SELECTOR_COLUMNS = 5;
    static constexpr int32_t SELECTOR_CELL = 18;
    static constexpr int32_t SELECTOR_SYMBOLS = 7;

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& text,
                               int32_t maxSize, int32_t constraints, bool boxMode = false);

    void notifyStateChanged() override;
    bool requiresOwnRow() override { return true; }
    void tick(int64_t ms) override;
    void command(const JavaPtr<Command>& command) override;
    int32_t getMinContentHeight() override;
    int32_t getMinContentWidth() override;
    int32_t getPrefContentWidth(int32_t) override { return getMinContentWidth(); }
    int32_t getPrefContentHeight(int32_t) override { return getMinContentHeight(); }
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;
    void sizeChanged(int32_t w, int32_t h) override;
    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void keyRepeated(int32_t keyCode) override;
    void pointerPressed(int32_t x, int32_t y) override;
    bool traverse(int32_t dir, int32_t viewportWidth, int32_t viewportHeight,
                  const JavaPtr<JArray<int32_t>>& visRect) override;
    // The highlight left: the next traversal enters afresh.
    void traverseOut() override;

    virtual void deleteJ(int32_t offset, int32_t length);
    virtual int32_t getCaretPosition();
    virtual int32_t getChars(const JavaPtr<JArray<java::lang::jchar>>& data);
    virtual int32_t getConstraints();
    virtual int32_t getMaxSize();
    virtual JavaPtr<java::lang::String> getString();
    virtual void insert(const JavaPtr<JArray<java::lang::jchar>>& data, int32_t offset, int32_t length, int32_t position);
    virtual void insert(const JavaPtr<java::lang::String>& text, int32_t position);
    virtual void setChars(const JavaPtr<JArray<java::lang::jchar>>& data, int32_t offset, int32_t length);
    virtual void setConstraints(int32_t constraints);
    virtual void setInitialInputMode(const JavaPtr<java::lang::String>& characterSubset) {}
    virtual int32_t setMaxSize(int32_t maxSize);
    virtual void setString(const JavaPtr<java::lang::String>& text);
    virtual int32_t size();

    bool m_validate(const JavaPtr<java::lang::String>& candidate);
    bool m_insertInternal(const JavaPtr<java::lang::String>& text, int32_t position, bool throwing, bool notify);
    bool m_deleteInternal(int32_t offset, int32_t length, bool throwing, bool notify);
    void m_hideCharSelector();
    // What the tests and the harness read of the display.
    JavaPtr<java::lang::String> displayText();
    int32_t rowCount();
    int32_t caretRow();
    bool selectorOpen();

private:
    void m_actualTextChanged(bool notify);
    void m_setDisplayTextFromActualText();
    void m_wrapText();
    void m_findCaret();
    // The caret moved by the user: a pending multi-tap character is committed where it stands.
    void m_caretMoved();
    void m_commitPending();
    void m_clampCaret();
    void m_insertChar(java::lang::jchar ch);
    int32_t m_rowLength(int32_t row);
    int32_t m_rowStart(int32_t row);
    void m_paintSelector(const JavaPtr<Graphics>& g);

    bool m_boxMode = false;
    JavaPtr<java::lang::String> m_actualText;
    JavaPtr<java::lang::String> m_displayText;
    bool m_inside = false;
    int32_t m_maxSize = 1;
    int32_t m_size = 0;
    int32_t m_constraints = ANY;
    JavaPtr<Font> m_font;
    int32_t m_caretColumn = 0;
    int32_t m_caretRow = 0;
    int32_t m_caretPosition = 0;
    int32_t m_displayCaretPosition = 0;
    int32_t m_rememberedColumn = 0;
    JavaPtr<JArray<java::lang::String>> m_rows;
    JavaPtr<JArray<int32_t>> m_rowStarts;
    JavaPtr<JArray<bool>> m_rowHyphens;
    int64_t m_lastPressTime = -1;
    int32_t m_lastPressedKey = -9999;
    int32_t m_pendingKeySet = -1;
    int32_t m_pendingCharacter = 0;
    bool m_selectorOpen = false;
    int32_t m_selectorRow = 0;
    int32_t m_selectorColumn = 0;
    JavaPtr<Command> m_selectorCancel;
};

}  // namespace javax::microedition::lcdui
