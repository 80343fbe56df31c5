// A small demonstration MIDlet the program runs until the quiz exists: one canvas that draws
// shapes, an image and text, follows the finger, counts the presses released on its button, and
// logs the tilt sensor's batches.
#pragma once

#include <cstdint>

#include "demos/DemoLayout.h"
#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

// The factory the program registers with ProxyMIDlet.
JavaPtr<javax::microedition::midlet::MIDlet> makeDemoMIDlet();

}  // namespace demo
