#include "runtime/lcdui/tests/FakePlatformBridge.h"

#include "runtime/lcdui/PlatformBridge.h"

bool midletQuitInvoked() { return lcduitest::quitFlag.load(); }
void vibrateDevice() { ++lcduitest::vibrations; }
void frameBufferUpdate() { ++lcduitest::framesPresented; }
