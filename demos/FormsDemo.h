// The demonstration of forms: text that flows over rows, a labelled item, right-aligned, centred
// and expanding items, an image, a custom item drawing a cross, exclusive and multiple choice
// groups and three kinds of gauge. It logs where each item lies on
// the screen, which item is highlighted and where the cross is touched.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeFormsDemoMIDlet();

}  // namespace demo
