// The touchable QWERTY keyboard the chrome shows above its soft-key bar. A touched key becomes a
// chrome key code delivered to the current screen's canvas as a press and a release. Shift works
// once, Caps Lock stays. All static; used under the LCDUI lock from the chrome's input and paint.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"

namespace javax::microedition::lcdui {

class Graphics;
class KeyInternal;

class OnScreenKeyboard {
public:
    enum KeyboardMode : int32_t { UNSHIFTED = 0, SHIFTED = 1 };
    static constexpr int32_t HEIGHT = 115;
    static constexpr int32_t ROW_HEIGHT = 23;
    static constexpr int32_t NUM_KEYS = 56;

    static void show();
    static void hide();
    static bool isShown();
    static int32_t getHeight() { return HEIGHT; }
    // Moves the keys so that the keyboard's bottom edge is y; their x positions stay.
    static void setBottomY(int32_t y);
    static void setMode(int32_t mode);
    static void paint(const JavaPtr<Graphics>& g);
    // A press inside the keyboard holds its key until the release, which sends the key's release
    // wherever the finger lifts; drags and a release with no key held are not the keyboard's.
    static bool pointerPressed(int32_t x, int32_t y);
    static bool pointerDragged(int32_t x, int32_t y);
    static bool pointerReleased(int32_t x, int32_t y);
    // Lets go of the key held down without sending its release, for a screen that leaves meanwhile.
    static void cancelPress();
    // Releases the keys at runtime teardown; the keyboard starts afresh after it.
    static void OnScreenKeyboard_staticDestroy();

    // For tests and the harness: the key at an index, null when there is none.
    static JavaPtr<KeyInternal> keyAt(int32_t index);
    static int32_t getMode();
    static bool shiftEngaged();
    static bool capsEngaged();

private:
    static void m_init();
    static int32_t m_keyCodeForKey(int32_t index);
    static int32_t m_keyUnderPoint(int32_t x, int32_t y);
    static bool m_inOskBounds(int32_t x, int32_t y);
    static void m_shiftStateChanged();
    static void m_setNeedsRepaint();
    static void m_sendKey(bool pressed, int32_t code);
};

}  // namespace javax::microedition::lcdui
