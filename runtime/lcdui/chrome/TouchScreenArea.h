// One named touch rectangle of the registry: inclusive edges and the area group it belongs to.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class TouchScreenArea : public java::lang::Object {
    JAVA_CLASS(TouchScreenArea, "javax.microedition.lcdui.TouchScreenArea", java::lang::Object)
public:
    // The arguments come corner by corner, unlike the fields.
    TouchScreenArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t group)
        : x0(x0), x1(x1), y0(y0), y1(y1), group(group) {}

    bool contains(int32_t x, int32_t y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }

    const int32_t x0;
    const int32_t x1;
    const int32_t y0;
    const int32_t y1;
    const int32_t group;
};

}  // namespace javax::microedition::lcdui
