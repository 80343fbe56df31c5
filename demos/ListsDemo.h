// The demonstration of lists and alerts: an implicit list whose rows show an alert with an activity
// indicator, a modal alert with two commands, and an exclusive list. It logs what is picked, which
// alert shows and when the list returns.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeListsDemoMIDlet();

}  // namespace demo
