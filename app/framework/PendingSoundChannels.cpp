// What the main loop needs of the sound channels until they are built: vibration with its end
// time, and stopping every channel (there are none yet).
#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Display.h"

void HookCanvas::vibrate(int32_t ms) {
    if (JavaPtr<javax::microedition::lcdui::Display> display = AppMidlet::getDisplayStatic()) display->vibrate(ms);
    vibration_end_time = ms >= 1 ? loopMillis() + ms : 0;
}

void HookCanvas::stopAllSounds() {}
