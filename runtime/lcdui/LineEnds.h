// The two ends of a line in target coordinates, the upper end first; 64 bits, so that a translated
// end cannot overflow.
#pragma once

#include <cstdint>

namespace javax::microedition::lcdui {

struct LineEnds {
    int64_t ax = 0;
    int64_t ay = 0;
    int64_t bx = 0;
    int64_t by = 0;
};

}  // namespace javax::microedition::lcdui
