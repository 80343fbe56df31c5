#include "runtime/lcdui/forms/Screen.h"

#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"

namespace javax::microedition::lcdui {

bool Screen::isShown() {
    if (isInterrupted.load(std::memory_order_relaxed)) return false;
    return Display::currentDisplayable().get() == this;
}

void Screen::tick(int64_t ms) {
    if (auto core = recastObj<DisplayableCoreCanvas>(getCorrespondingCanvas())) core->tick(ms);
}

}  // namespace javax::microedition::lcdui
