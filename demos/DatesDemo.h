// The demonstration of date fields: a date and time field whose calendar and clock open over the
// form. It logs the view that opens, the month shown, where the day cells and month arrows lie,
// and what Save stores.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeDatesDemoMIDlet();

}  // namespace demo
