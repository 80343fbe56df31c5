#include "app/framework/tests/TestQuizHalf.h"

namespace testquiz {

void reset() {
    for (auto* count : {&calls.updates, &calls.renders, &calls.loads, &calls.soundLoads, &calls.soundUnloads,
                        &calls.inputSetUps})
        *count = 0;
    onUpdate = nullptr;
    onLoad = nullptr;
    onRender = nullptr;
}

}  // namespace testquiz

using testquiz::calls;

void HookCanvas::keyPressed(int32_t keyCode) {}
void HookCanvas::keyReleased(int32_t keyCode) {}
void HookCanvas::pointerDragged(int32_t x, int32_t y) {}
void HookCanvas::pointerPressed(int32_t x, int32_t y) {}
void HookCanvas::pointerReleased(int32_t x, int32_t y) {}
void HookCanvas::initInterrupts() {}
void HookCanvas::initKeysAndTouch() { ++calls.inputSetUps; }
int32_t HookCanvas::findKeyBitflag(int32_t keyCode) { return -1; }
void HookCanvas::keyAction(int32_t flag, bool pressed) {}
void HookCanvas::pointerAction(int32_t x, int32_t y, bool pressed) {}
void HookCanvas::loadSounds() { ++calls.soundLoads; }
void HookCanvas::unloadSounds() { ++calls.soundUnloads; }

void HookCanvas::startLoading() {
    ++calls.loads;
    if (testquiz::onLoad) testquiz::onLoad(*this);
}

void HookCanvas::fixedRateUpdate() {
    ++calls.updates;
    if (testquiz::onUpdate) testquiz::onUpdate(*this);
}

void HookCanvas::render(const JavaPtr<Graphics>& g) {
    ++calls.renders;
    if (testquiz::onRender) testquiz::onRender(g);
}
