// One key of the on-screen keyboard: its rectangle in screen pixels (right and bottom edges
// included) and its label, one character or a special label.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class KeyInternal : public java::lang::Object {
    JAVA_CLASS(KeyInternal, "javax.microedition.lcdui.KeyInternal", java::lang::Object)
public:
    bool contains(int32_t px, int32_t py) const { return px >= x && px <= x + width && py >= y && py <= y + height; }

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    JavaPtr<java::lang::String> label;
};

}  // namespace javax::microedition::lcdui
