// The canvas through which the runtime shows a high-level screen: title band, soft-key bar with a
// popup command menu, scroll bar, ticker band and on-screen keyboard toggle around the content,
// the touch areas of all of these, command placement and the content rectangle left over.
//
// Threads: everything here runs under the one LCDUI lock (Canvas::paintLock). The display tick
// holds it; input entries from the UI thread only try it and, when it is busy, leave the event in
// a buffer that the tick replays in order, so the UI thread never waits for application code.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "runtime/lcdui/Canvas.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class Command;
class Font;
class Item;
class TouchScreenAreaListener;

class DisplayableCoreCanvas : public Canvas {
    JAVA_CLASS(DisplayableCoreCanvas, "javax.microedition.lcdui.DisplayableCoreCanvas", Canvas)
public:
    // The platform's codes of the logical keys, set by init (Canvas::getKeyCode reads them).
    static inline std::atomic<int32_t> KEY_UP{0};
    static inline std::atomic<int32_t> KEY_DOWN{0};
    static inline std::atomic<int32_t> KEY_LEFT{0};
    static inline std::atomic<int32_t> KEY_RIGHT{0};
    static inline std::atomic<int32_t> KEY_FIRE{0};
    static constexpr int32_t KEY_SOFTKEY_LEFT = -6;
    static constexpr int32_t KEY_SOFTKEY_RIGHT = -7;
    static constexpr int32_t KEY_DELETE = -8;
    static constexpr int32_t KEY_HASH = 35;
    static constexpr int32_t KEY_STAR = 42;
    static constexpr int32_t KEY_NUM0 = 48;
    static constexpr int32_t KEY_NUM9 = 57;
    // The runtime's own codes: letters, the keyboard's digits, then the extended characters.
    static constexpr int32_t KEY_a = 1000;
    static constexpr int32_t KEY_z = 1025;
    static constexpr int32_t KEY_A = 1026;
    static constexpr int32_t KEY_Z = 1051;
    static constexpr int32_t KEY_KEYBOARD_NUM0 = 1052;
    static constexpr int32_t KEY_KEYBOARD_NUM9 = 1061;
    static constexpr int32_t KEY_EXTENDED_CHARS_BEGIN = 2000;
    static constexpr int32_t KEY_KEYBOARD_HASH = 2000;
    static constexpr int32_t KEY_KEYBOARD_STAR = 2001;
    static constexpr int32_t KEY_ENTER = 2002;
    static constexpr int32_t KEY_SPACEBAR = 2003;
    static constexpr int32_t KEY_POUND = 2032;
    static constexpr int32_t KEY_EXTENDED_CHARS_END = 2035;
    static constexpr int32_t NO_KEY = -9999;

    static constexpr int64_t KEY_REPEAT_BEGIN_MS = 1000;
    static constexpr int64_t KEY_REPEAT_MS = 100;
    // Input held back while the lock is busy; beyond this many, consecutive drags collapse into the latest.
    static constexpr int32_t EVENT_BUFFER_LIMIT = 256;
    static constexpr int32_t SCROLLBAR_WIDTH = 15;

    // The device's screen width at start-up, and the ticker's speed derived from it.
    static inline std::atomic<int32_t> DEVICE_WIDTH{0};
    static inline std::atomic<int32_t> TICKER_PIXELS_PER_SEC{0};

    struct InputEvent {
        enum EventType : int32_t {
            KEY_PRESSED = 0, KEY_RELEASED, KEY_REPEATED, POINTER_PRESSED, POINTER_RELEASED, POINTER_DRAGGED
        };
        EventType type;
        int32_t a;      // key code or x
        int32_t b;      // -1 for keys, or y
        int64_t time;   // monotonic milliseconds when buffered
    };

    // Sets the key codes and the device width; once, when the Display is made.
    static void init();
    // The character of an extended code, 0 outside the list.
    static java::lang::jchar getExtendedCharForCode(int32_t code);
    // The extended code of a character, NO_KEY when it has none.
    static int32_t getExtendedCodeForChar(java::lang::jchar ch);
    static void drawVerticalArrow(const JavaPtr<Graphics>& g, bool up, int32_t x, int32_t y, int32_t width,
                                  int32_t height, int32_t stemThickness, int32_t stemLength);
    static void drawHorizontalArrow(const JavaPtr<Graphics>& g, bool left, int32_t x, int32_t y, int32_t width,
                                    int32_t height, int32_t stemThickness, int32_t stemLength);

    DisplayableCoreCanvas();
    ~DisplayableCoreCanvas() override;
    void WENDinvokeconstructor() { WENDinvokeconstructor(nullptr); }
    // The owner is not counted: it holds this canvas and tells it when it goes.
    void WENDinvokeconstructor(Displayable* owner);

    void showNotify() override;
    void hideNotify() override;
    void paint(const JavaPtr<Graphics>& g) override;
    // Input entries: each goes through one wrapper that tries the LCDUI lock or buffers.
    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void keyRepeated(int32_t keyCode) override;
    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;
    void pointerDragged(int32_t x, int32_t y) override;

    // Unless already inside this repaint, and only while shown, repaints the whole canvas.
    virtual void repaint();
    virtual void repaint(int32_t x, int32_t y, int32_t width, int32_t height);
    // The key-repeat check, once a display tick.
    virtual void tick(int64_t nowMs);

    void reLayout();
    // {left, top, right, bottom} of the content rectangle into out[0..3].
    void getUnreservedArea(const JavaPtr<JArray<int32_t>>& out);
    void setVerticalHeight(int32_t height);
    void setVerticalScrollPos(int32_t pos);
    int32_t getVerticalScrollPos();
    bool verticalScrollbarVisible();
    void setVerticalScrollbarVisible(bool visible);
    void setFormItemCommands(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& defaultCommand);
    void setFormItemOverlay(const JavaPtr<Item>& item, const JavaPtr<JArray<Command>>& commands);
    JavaPtr<Item> getFormItemOverlay();
    void setNeedsRepaint() { m_needsRepaint.store(true, std::memory_order_relaxed); }
    bool needsRepaint() const { return m_needsRepaint.load(std::memory_order_relaxed); }
    void notifyParentDestroyed();
    void m_invalidateTouchscreenAreas();
    void repaintTickerOnly();

    bool handleKeyPressed(int32_t key);
    bool handleKeyReleased(int32_t key);
    bool handleKeyRepeated(int32_t key);
    bool handlePointerPressed(int32_t x, int32_t y);
    bool handlePointerReleased(int32_t x, int32_t y);
    bool handlePointerDragged(int32_t x, int32_t y);
    bool m_navigatePopupMenu(int32_t key);
    // Delivers the held-back input in arrival order; the display tick calls it last.
    void replayBufferedEvents();
    void triggerCommand(const JavaPtr<Command>& command);
    static void touchscreenEventCallback(void* context, JavaPtr<java::lang::String> name, int32_t eventType, int32_t x,
                                         int32_t y, int32_t dx, int32_t dy, bool inside);
    void touchscreenAreaEvent(const JavaPtr<java::lang::String>& name, int32_t eventType, int32_t x, int32_t y,
                              int32_t dx, int32_t dy, bool inside);

    // What the tests and the harness read of the placement.
    JavaPtr<Command> getBackCommand() { return m_backCommand; }
    JavaPtr<Command> getForwardCommand() { return m_forwardCommand; }
    JavaPtr<JArray<Command>> getPopupCommands() { return m_popupCommands; }
    bool isMenuInUse() const { return m_menuInUse; }
    bool isPopupOpen() const { return m_popupOpen; }
    int32_t getPopupSelection() const { return m_popupSelection; }
    int32_t getPopupHeight() const { return m_popupHeight; }
    int32_t getPopupWidth() const { return m_popupWidth; }
    int32_t getEventBufferCount();
    JavaPtr<java::lang::String> getAreaBaseCode() { return m_areaBaseCode; }

protected:
    // The chrome's part of each input event; a subclass with content overrides this, offers the
    // event to the chrome first and handles it itself when the chrome did not take it.
    virtual bool dispatchInput(InputEvent::EventType type, int32_t a, int32_t b);
    // The displayable shown, or null once it is destroyed.
    Displayable* owner() const { return m_owner; }

    std::atomic<bool> m_needsRepaint{false};

private:
    // Tries the lock and handles the event, or buffers it; catches what the handlers throw.
    void m_inputEntry(InputEvent::EventType type, int32_t a, int32_t b);
    void m_dispatchGuarded(InputEvent::EventType type, int32_t a, int32_t b);
    // True when the event is not handled now: it was held back (the lock is busy, older events
    // wait, or a tick runs) or dropped (the screen is hidden).
    bool m_heldBackOrDropped(InputEvent::EventType type, int32_t a, int32_t b, bool lockBusy = false);
    void m_checkKeyRepeat(int64_t nowMs);
    bool m_commandsAreInOrderOfPriority(const JavaPtr<Command>& a, const JavaPtr<Command>& b);
    int32_t m_maxScrollPos();
    void m_setScrollPos(int32_t pos);
    // The drag or release of the press under way, to whichever took it; false when the content did.
    bool m_followPointer(bool released, int32_t x, int32_t y);
    bool m_isForwardKey(int32_t key) const;
    bool m_isBackKey(int32_t key) const;
    void m_openPopup();
    void m_firePopupRow(int32_t row);
    JavaPtr<java::lang::String> m_popupLabel(const JavaPtr<Command>& command);
    void m_paintTitle(const JavaPtr<Graphics>& g, int32_t width);
    void m_paintSoftKeys(const JavaPtr<Graphics>& g, int32_t width, int32_t height);
    void m_paintKeyboardToggle(const JavaPtr<Graphics>& g, int32_t width, int32_t height);
    void m_paintScrollBar(const JavaPtr<Graphics>& g, int32_t width);
    void paintTicker(const JavaPtr<Graphics>& g);
    void paintPopupMenu(const JavaPtr<Graphics>& g);
    void m_registerArea(const JavaPtr<java::lang::String>& name, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

    JavaPtr<Item> m_overlayItem;
    JavaPtr<JArray<int32_t>> m_unreservedArea;
    bool m_scrollBarVisible = false;
    int32_t m_verticalScrollPos = 0;
    int32_t m_verticalHeight = 0;
    bool m_upArrowPressed = false;
    bool m_downArrowPressed = false;
    bool m_repaintInProgress = false;
    bool m_tickerOnly = false;
    int32_t m_heldKey = NO_KEY;
    bool m_repeating = false;
    int64_t m_pressTime = -1;
    int64_t m_lastRepeatTime = -1;
    // Filled by the UI thread without the LCDUI lock, so it has its own.
    std::mutex m_bufferLock;
    std::vector<InputEvent> m_eventBuffer;
    // From hideNotify to the next showNotify; set under both locks, so either one reads it.
    bool m_hidden = false;
    std::atomic<bool> m_replaying{false};
    JavaPtr<Font> m_popupFont;
    int32_t m_popupHeight = 0;
    int32_t m_popupWidth = 0;
    int32_t m_popupSelection = 0;
    bool m_popupOpen = false;
    JavaPtr<JArray<Command>> m_popupCommands;
    int32_t m_tickerY = 0;
    int32_t m_tickerTextWidth = 0;
    JavaPtr<Font> m_tickerFont;
    JavaPtr<Font> m_titleFont;
    JavaPtr<Command> m_backCommand;
    JavaPtr<Command> m_forwardCommand;
    bool m_forwardKeyPressed = false;
    bool m_backKeyPressed = false;
    bool m_menuInUse = false;
    JavaPtr<Font> m_softKeyFont;
    JavaPtr<JArray<Command>> m_itemCommands;
    JavaPtr<Command> m_itemDefaultCommand;
    JavaPtr<JArray<Command>> m_overlayCommands;
    JavaPtr<TouchScreenAreaListener> m_touchListener;
    bool m_areasInvalid = true;
    bool m_scrollChanged = false;
    bool m_thumbDragging = false;
    bool m_keyboardTogglePressed = false;
    // What took the pointer's press, until its release or the screen leaving.
    enum class PointerTaker : int32_t { NONE, AREAS, POPUP, KEYBOARD, CONTENT };
    PointerTaker m_pointerTaker = PointerTaker::NONE;
    int32_t m_trackHeight = 0;
    int32_t m_dragStartPosition = 0;
    JavaPtr<java::lang::String> m_areaBaseCode;
    JavaPtr<java::lang::String> m_fwdSoftName;
    JavaPtr<java::lang::String> m_backSoftName;
    JavaPtr<java::lang::String> m_popupName;
    JavaPtr<java::lang::String> m_scrollUpName;
    JavaPtr<java::lang::String> m_scrollDownName;
    JavaPtr<java::lang::String> m_scrollBarMainName;
    JavaPtr<java::lang::String> m_scrollBarBoxName;
    JavaPtr<java::lang::String> m_oskToggleName;
    Displayable* m_owner = nullptr;
};

}  // namespace javax::microedition::lcdui
