// Logs where the chrome of a screen put its content area, soft keys, keyboard toggle, scroll bar,
// popup rows and keyboard keys, once the chrome has registered them: what demo scripts aim at.
#pragma once

#include <cstdint>

namespace javax::microedition::lcdui { class DisplayableCoreCanvas; }

namespace demo {

// Writes "<demo>: geometry content ...", "<demo>: area NAME x0,y0,x1,y1" and "<demo>: key I LABEL
// x,y,w,h" lines when the popup, keyboard or scroll bar changed since *loggedState; false when the
// chrome's areas are not registered yet (it paints them after the content).
bool logChromeGeometry(const char* demo, javax::microedition::lcdui::DisplayableCoreCanvas& canvas,
                       int32_t* loggedState);

}  // namespace demo
