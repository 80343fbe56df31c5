#include "demos/ChromeGeometry.h"

#include "demos/DemoEvents.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;

namespace demo {

bool logChromeGeometry(const char* demo, DisplayableCoreCanvas& canvas, int32_t* loggedState) {
    const int32_t state = (canvas.isPopupOpen() ? 1 : 0) | (OnScreenKeyboard::isShown() ? 2 : 0) |
                          (canvas.verticalScrollbarVisible() ? 4 : 0);
    int32_t r[4];
    if (state == *loggedState || !TouchScreenAreaManager::areaFor(canvas.getAreaBaseCode() + "osktoggle", r))
        return false;
    if ((state & 1) && !TouchScreenAreaManager::areaFor(canvas.getAreaBaseCode() + "popup0", r)) return false;
    *loggedState = state;
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    canvas.getUnreservedArea(area);
    evt("%s: geometry content %d,%d,%d,%d", demo, (*area)[0], (*area)[1], (*area)[2], (*area)[3]);
    for (const char* name : {"backsoft", "fwdsoft", "osktoggle", "scrollup", "scrolldown", "scrollbarbox"}) {
        if (TouchScreenAreaManager::areaFor(canvas.getAreaBaseCode() + name, r))
            evt("%s: area %s %d,%d,%d,%d", demo, name, r[0], r[1], r[2], r[3]);
    }
    for (int32_t row = 0; canvas.isPopupOpen(); ++row) {
        if (!TouchScreenAreaManager::areaFor(canvas.getAreaBaseCode() + "popup" + row, r)) break;
        evt("%s: area popup%d %d,%d,%d,%d", demo, row, r[0], r[1], r[2], r[3]);
    }
    if (!OnScreenKeyboard::isShown()) return true;
    for (int32_t index = 0; index < OnScreenKeyboard::NUM_KEYS; ++index) {
        JavaPtr<KeyInternal> key = OnScreenKeyboard::keyAt(index);
        if (!key) continue;
        evt("%s: key %d %s %d,%d,%d,%d", demo, index, key->label->val(), key->x, key->y, key->width, key->height);
    }
    return true;
}

}  // namespace demo
