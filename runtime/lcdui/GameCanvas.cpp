#include "runtime/lcdui/GameCanvas.h"

namespace javax::microedition::lcdui::game {

namespace {

int32_t pressedBitFor(int32_t gameAction) {
    switch (gameAction) {
        case Canvas::UP: return GameCanvas::UP_PRESSED;
        case Canvas::LEFT: return GameCanvas::LEFT_PRESSED;
        case Canvas::RIGHT: return GameCanvas::RIGHT_PRESSED;
        case Canvas::DOWN: return GameCanvas::DOWN_PRESSED;
        case Canvas::FIRE: return GameCanvas::FIRE_PRESSED;
        default: return 0;
    }
}

}  // namespace

void GameCanvas::keyPressed(int32_t keyCode) {
    Canvas::keyPressed(keyCode);
    m_keyStates.fetch_or(pressedBitFor(getGameAction(keyCode)), std::memory_order_relaxed);
}

void GameCanvas::keyReleased(int32_t keyCode) {
    Canvas::keyReleased(keyCode);
    m_keyStates.fetch_and(~pressedBitFor(getGameAction(keyCode)), std::memory_order_relaxed);
}

}  // namespace javax::microedition::lcdui::game
