// The demonstration of the screen chrome: a screen with a title, a ticker, a back command, two
// screen commands and an exit, whose content is 30 numbered rows under a scroll bar. It logs its
// commands, the rows touched, the text typed and, at each show, where the chrome put everything.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

struct ChromeDemoLayout {
    static constexpr int32_t ROWS = 30;
    static constexpr int32_t ROW_HEIGHT = 24;
    static constexpr int32_t ROW_BACKGROUND = 0xFFFFFF;
    static constexpr int32_t ROW_TOUCHED = 0x40C040;
};

JavaPtr<javax::microedition::midlet::MIDlet> makeChromeDemoMIDlet();

}  // namespace demo
