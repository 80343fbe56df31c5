// The quiz half of HookCanvas: what each game state does, loads and draws, and how input is
// recorded. Empty until the quiz is built; the framework calls these at fixed points.
#include "app/framework/HookCanvas.h"

void HookCanvas::keyPressed(int32_t keyCode) {}
void HookCanvas::keyReleased(int32_t keyCode) {}
void HookCanvas::pointerDragged(int32_t x, int32_t y) {}
void HookCanvas::pointerPressed(int32_t x, int32_t y) {}
void HookCanvas::pointerReleased(int32_t x, int32_t y) {}
void HookCanvas::initInterrupts() {}
void HookCanvas::initKeysAndTouch() {}
int32_t HookCanvas::findKeyBitflag(int32_t keyCode) { return -1; }
void HookCanvas::keyAction(int32_t flag, bool pressed) {}
void HookCanvas::pointerAction(int32_t x, int32_t y, bool pressed) {}
void HookCanvas::loadSounds() {}
void HookCanvas::unloadSounds() {}
void HookCanvas::startLoading() {}
void HookCanvas::fixedRateUpdate() {}
