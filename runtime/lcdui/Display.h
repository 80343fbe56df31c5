// The single screen manager; for now only the screen size that every new Graphics starts from.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class Display : public java::lang::Object {
    JAVA_CLASS(Display, "javax.microedition.lcdui.Display", java::lang::Object)
public:
    // Screen size in pixels; written by the UI thread on start-up and size changes, read by painters.
    static inline std::atomic<int32_t> screenWidth{0};
    static inline std::atomic<int32_t> screenHeight{0};
};

}  // namespace javax::microedition::lcdui
