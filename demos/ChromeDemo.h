// The demonstration of the screen chrome: a form with a title, a ticker, a back command, two screen
// commands, a Delete that removes the last row and an exit, whose content is 30 labelled rows under
// a scroll bar. It logs its commands, the rows touched, the text typed and, at each show, where the
// chrome put everything.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

struct ChromeDemoLayout {
    static constexpr int32_t ROWS = 30;
    // The rows' content height, locked so that 30 rows need the scroll bar whatever the font.
    static constexpr int32_t ROW_CONTENT_HEIGHT = 24;
};

JavaPtr<javax::microedition::midlet::MIDlet> makeChromeDemoMIDlet();

}  // namespace demo
