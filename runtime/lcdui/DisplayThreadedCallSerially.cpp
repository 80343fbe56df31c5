#include "runtime/lcdui/DisplayThreadedCallSerially.h"

#include "runtime/lcdui/Display.h"

namespace javax::microedition::lcdui {

void DisplayThreadedCallSerially::run() { Display::runSeriallyCalls(); }

}  // namespace javax::microedition::lcdui
