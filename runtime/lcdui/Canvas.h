// The displayable that the application draws itself: key codes and game actions, pointer and
// visibility callbacks, the synchronous repaint and the presenting of a frame.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "runtime/lcdui/Displayable.h"

namespace javax::microedition::lcdui {

// The key code a canvas receives for a key-flag bit number; the runtime's one table of key codes.
int32_t expectedKeypressID(int32_t key);

class Canvas : public Displayable {
    JAVA_CLASS(Canvas, "javax.microedition.lcdui.Canvas", Displayable)
public:
    static constexpr int32_t UP = 1;
    static constexpr int32_t LEFT = 2;
    static constexpr int32_t RIGHT = 5;
    static constexpr int32_t DOWN = 6;
    static constexpr int32_t FIRE = 8;
    static constexpr int32_t GAME_A = 9;
    static constexpr int32_t GAME_B = 10;
    static constexpr int32_t GAME_C = 11;
    static constexpr int32_t GAME_D = 12;
    static constexpr int32_t KEY_NUM0 = 48;
    static constexpr int32_t KEY_NUM1 = 49;
    static constexpr int32_t KEY_NUM2 = 50;
    static constexpr int32_t KEY_NUM3 = 51;
    static constexpr int32_t KEY_NUM4 = 52;
    static constexpr int32_t KEY_NUM5 = 53;
    static constexpr int32_t KEY_NUM6 = 54;
    static constexpr int32_t KEY_NUM7 = 55;
    static constexpr int32_t KEY_NUM8 = 56;
    static constexpr int32_t KEY_NUM9 = 57;
    static constexpr int32_t KEY_POUND = 35;
    static constexpr int32_t KEY_STAR = 42;

    static inline std::atomic<bool> midRepaint{false};
    static inline std::atomic<bool> midRepaintThreaded{false};

    // One thread paints at a time: the tick thread's repaint of a chrome canvas and the
    // application's own paint share the master Graphics. Recursive so that a paint may repaint.
    static std::recursive_mutex& paintLock();

    Canvas() = default;
    void WENDinvokeconstructor();

    virtual int32_t getGameAction(int32_t keyCode);
    // The arrow and fire keys' actions, for subclasses that map further keys in getGameAction.
    static int32_t getGameActionInternal(int32_t keyCode);
    virtual int32_t getKeyCode(int32_t gameAction);
    virtual JavaPtr<java::lang::String> getKeyName(int32_t keyCode);
    virtual bool hasPointerEvents() { return true; }
    virtual bool hasPointerMotionEvents() { return true; }
    virtual bool hasRepeatEvents() { return false; }
    virtual void hideNotify() {}
    virtual bool isDoubleBuffered() { return true; }
    virtual void keyPressed(int32_t keyCode) {}
    virtual void keyReleased(int32_t keyCode) {}
    virtual void keyRepeated(int32_t keyCode) {}
    virtual void paint(const JavaPtr<Graphics>& g) {}
    virtual void pointerDragged(int32_t x, int32_t y) {}
    virtual void pointerPressed(int32_t x, int32_t y) {}
    virtual void pointerReleased(int32_t x, int32_t y) {}
    virtual void repaintReal(int32_t x, int32_t y, int32_t w, int32_t h);
    // A canvas always covers the whole screen.
    virtual void setFullScreenMode(bool mode) {}
    virtual void showNotify() {}
    virtual void flushGraphics();
    virtual void flushGraphics(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual JavaPtr<Graphics> getGraphics();

    void repaint();
    void repaint(int32_t x, int32_t y, int32_t w, int32_t h);
    void serviceRepaints();
};

}  // namespace javax::microedition::lcdui
