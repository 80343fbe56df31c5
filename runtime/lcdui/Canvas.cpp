#include "runtime/lcdui/Canvas.h"

#include <cstdio>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

int32_t expectedKeypressID(int32_t key) {
    if (key >= 0 && key <= 9) return 48 + key;
    switch (key) {
        case 10: return 35;
        case 11: return 42;
        case 12: return -8;
        case 14: return -236;
        case 15: return -237;
        case 16: return -3;
        case 17: return -4;
        case 18: return -1;
        case 19: return -2;
        case 20: return -5;
        case 24: return -6;
        case 25: return -7;
        case 26: return -234;
        case 27: return -235;
        case 28: return -238;
        case 65536: return 0;
        default: return -1;
    }
}

std::recursive_mutex& Canvas::paintLock() {
    static std::recursive_mutex lock;
    return lock;
}

void Canvas::WENDinvokeconstructor() {
    Displayable::WENDinvokeconstructor();
    setCorrespondingCanvas(this);
    setGraphicsField(nullptr);
}

int32_t Canvas::getGameAction(int32_t keyCode) { return getGameActionInternal(keyCode); }

int32_t Canvas::getGameActionInternal(int32_t keyCode) {
    // Tested in this order because up and an unknown key share a code.
    if (keyCode == expectedKeypressID(18)) return UP;
    if (keyCode == expectedKeypressID(19)) return DOWN;
    if (keyCode == expectedKeypressID(16)) return LEFT;
    if (keyCode == expectedKeypressID(17)) return RIGHT;
    if (keyCode == expectedKeypressID(20)) return FIRE;
    return 0;
}

int32_t Canvas::getKeyCode(int32_t gameAction) {
    switch (gameAction) {
        case UP: return DisplayableCoreCanvas::KEY_UP;
        case LEFT: return DisplayableCoreCanvas::KEY_LEFT;
        case RIGHT: return DisplayableCoreCanvas::KEY_RIGHT;
        case DOWN: return DisplayableCoreCanvas::KEY_DOWN;
        case FIRE: return DisplayableCoreCanvas::KEY_FIRE;
        default: return 0;
    }
}

JavaPtr<java::lang::String> Canvas::getKeyName(int32_t keyCode) {
    if (keyCode == KEY_POUND) return JavaPtr<java::lang::String>(new java::lang::String("#"));
    if (keyCode == KEY_STAR) return JavaPtr<java::lang::String>(new java::lang::String("*"));
    if (keyCode >= KEY_NUM0 && keyCode <= KEY_NUM9)
        return JavaPtr<java::lang::String>(new java::lang::String(static_cast<java::lang::jchar>(keyCode)));
    return JavaPtr<java::lang::String>(new java::lang::String(""));
}

JavaPtr<Graphics> Canvas::getGraphics() { return getGraphicsField(); }

void Canvas::repaint() { repaint(0, 0, getWidth(), getHeight()); }

void Canvas::repaint(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (midletQuitInvoked()) return;
    if constexpr (buildconstants::USES_THREADED_REPAINT) {
        // The repaint thread paints the whole canvas; a full table drops the request.
        Display::queueThreadedRepaint(this);
        return;
    }
    repaintReal(x, y, w, h);
    Display::runSeriallyCalls();
}

void Canvas::repaintReal(int32_t x, int32_t y, int32_t w, int32_t h) {
    std::lock_guard guard(paintLock());
    // Cleared however the paint ends: a paint that throws must not leave it set.
    struct Painting {
        Painting() { midRepaint = true; }
        ~Painting() { midRepaint = false; }
    } painting;
    if (midletQuitInvoked()) return;
    if (JavaPtr<Graphics> graphics = getGraphics()) {
        graphics->setClip(x, y, w, h);
        paint(graphics);
        flushGraphics();
    }
}

void Canvas::serviceRepaints() {
    if constexpr (buildconstants::USES_THREADED_REPAINT) {
        Display::waitForThreadedRepaints();
        return;
    }
    // The paint runs inside repaint, so the only wait is for another thread's paint to finish:
    // block on the paint lock instead of spinning on the flag.
    std::lock_guard guard(paintLock());
}

void Canvas::flushGraphics() {
    flushGraphics(0, 0, Display::screenWidth.load(std::memory_order_relaxed),
                  Display::screenHeight.load(std::memory_order_relaxed));
}

void Canvas::flushGraphics(int32_t, int32_t, int32_t, int32_t) {
    JavaPtr<Graphics> graphics = getGraphicsField();
    if (!graphics) {
        std::puts(": NULL");
        std::fflush(stdout);
    }
    // The whole frame is presented whatever the rectangle. A back end ends its frame even when the
    // canvas is hidden, so that the painting thread never keeps the GL context, but presents it
    // only when shown.
    const bool shown = graphics && isShown();
    if (graphics && graphics->backEnd) graphics->backEnd->flushGraphics(*graphics, shown);
    if (shown) frameBufferUpdate();
}

}  // namespace javax::microedition::lcdui
