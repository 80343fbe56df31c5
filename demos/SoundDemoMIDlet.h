// A demonstration of the sound channels: each tap plays the next of three synthesised sounds, and
// every player event is logged.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeSoundDemoMIDlet();

}  // namespace demo
