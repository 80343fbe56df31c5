// Layout values of the 320 x 480 design turned into pixels, and the touch tests over them.
#include "app/framework/HookCanvas.h"

int32_t HookCanvas::getParam(int32_t v) {
    if (!retina) return v;
    const float value = static_cast<float>(v);
    return static_cast<int32_t>(value + value);
}

int32_t HookCanvas::getPos(int32_t v) { return getParam(v); }

bool HookCanvas::pointerOverArea(int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t px = pointer_x.load(std::memory_order_relaxed);
    const int32_t py = pointer_y.load(std::memory_order_relaxed);
    return px >= x && px <= x + w && py >= y && py <= y + h;
}

bool HookCanvas::pointerOverImage(int32_t id, int32_t x, int32_t y) {
    return pointerOverArea(x, y, getImageDimension(id, 0, 0, IMAGEDIMENSION_WIDTH),
                           getImageDimension(id, 0, 0, IMAGEDIMENSION_HEIGHT));
}
