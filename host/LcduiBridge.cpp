// The display library's bridge functions (runtime/lcdui/PlatformBridge.h) that the host answers.
#include <cstdio>

#include "host/MIDlet.h"
#include "runtime/lcdui/PlatformBridge.h"

bool midletQuitInvoked() { return javax::microedition::midlet::MIDlet::quitInvoked.load(std::memory_order_acquire); }

void vibrateDevice() {
    std::printf("vibrate\n");
    std::fflush(stdout);
}

// The frame lives in the platform's frame buffer already; the view that shows it reads it there.
void frameBufferUpdate() {}
