// The receiver of a touch area's press, drag and release: a plain callback and the context it is
// handed back, which the listener neither owns nor releases.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class TouchScreenAreaListener : public java::lang::Object {
    JAVA_CLASS(TouchScreenAreaListener, "javax.microedition.lcdui.TouchScreenAreaListener", java::lang::Object)
public:
    enum EventType : int32_t { PRESS = 0, RELEASE = 1, DRAG = 2 };
    using Callback = void (*)(void* context, JavaPtr<java::lang::String> areaName, int32_t type, int32_t x,
                              int32_t y, int32_t dx, int32_t dy, bool inside);

    TouchScreenAreaListener(Callback callback, void* context) : callback(callback), context(context) {}

    void dispatchEvent(const JavaPtr<java::lang::String>& areaName, int32_t type, int32_t x, int32_t y, int32_t dx,
                       int32_t dy, bool inside) {
        if (callback) callback(context, areaName, type, x, y, dx, dy, inside);
    }

    const Callback callback;
    void* const context;
};

}  // namespace javax::microedition::lcdui
