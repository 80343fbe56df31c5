// Touch and keys: the callbacks, on the platform's main thread, only record the finger and the
// keys for the main loop to latch before its next update.
#include "app/framework/HookCanvas.h"

void HookCanvas::pointerPressed(int32_t x, int32_t y) { pointerAction(x, y, true); }
void HookCanvas::pointerReleased(int32_t x, int32_t y) { pointerAction(x, y, false); }

void HookCanvas::pointerDragged(int32_t x, int32_t y) {
    if (!internal_pointer_repeated.load()) return;
    pointer_x = x;
    pointer_y = y;
}

void HookCanvas::pointerAction(int32_t x, int32_t y, bool pressed) {
    // The position first, so that an update that sees the press also sees where it was.
    pointer_x = x;
    pointer_y = y;
    internal_pointer_repeated = pressed;
    if (pressed) internal_pointer_pressed = true;
}

void HookCanvas::keyPressed(int32_t keyCode) { keyAction(findKeyBitflag(keyCode), true); }
void HookCanvas::keyReleased(int32_t keyCode) { keyAction(findKeyBitflag(keyCode), false); }

int32_t HookCanvas::findKeyBitflag(int32_t keyCode) {
    const JavaPtr<JArray<int32_t>> mappings = internal_key_mappings;
    if (!mappings) return -1;
    for (int32_t i = 0; i + 1 < mappings->length; i += 2)
        if (mappings->data[i] == keyCode) return mappings->data[i + 1];
    return -1;
}

void HookCanvas::keyAction(int32_t flag, bool pressed) {
    constexpr int32_t PAUSE_FLAG = 0x2000;
    if (flag == -1) return;
    if (flag == PAUSE_FLAG) {
        if (pressed) hideNotify();
        return;
    }
    if (!pressed) {
        internal_keys_repeated &= ~flag;
        return;
    }
    if ((flag & KEYFLAG_SOFTKEYBACK) && !back_softkey_string) return;
    if ((flag & KEYFLAG_SOFTKEYFWRD) && !fwrd_softkey_string) return;
    internal_keys_pressed |= flag;
    internal_keys_repeated |= flag;
}

// The quiz has no touch regions and no interrupt handlers of its own.
void HookCanvas::initInterrupts() {}
void HookCanvas::initKeysAndTouch() {}
