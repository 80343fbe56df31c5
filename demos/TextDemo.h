// The demonstration of text fields: a plain field, a password field and a field in box mode, typed
// on the keypad or the on-screen keyboard. It logs each field's text as it changes and where the
// chrome and its keyboard keys lie.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeTextDemoMIDlet();

}  // namespace demo
