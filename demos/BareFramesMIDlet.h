// A demonstration MIDlet that presents 30 frames a second of one flat colour: the floor against
// which the quiz's processor use at rest is measured.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeBareFramesMIDlet();

}  // namespace demo
