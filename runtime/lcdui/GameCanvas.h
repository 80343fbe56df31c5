// A canvas that keeps a mask of the game keys held down.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lcdui/Canvas.h"

namespace javax::microedition::lcdui::game {

class GameCanvas : public Canvas {
    JAVA_CLASS(GameCanvas, "javax.microedition.lcdui.game.GameCanvas", Canvas)
public:
    static constexpr int32_t UP_PRESSED = 2;
    static constexpr int32_t LEFT_PRESSED = 4;
    static constexpr int32_t RIGHT_PRESSED = 32;
    static constexpr int32_t DOWN_PRESSED = 64;
    static constexpr int32_t FIRE_PRESSED = 256;
    static constexpr int32_t GAME_A_PRESSED = 512;
    static constexpr int32_t GAME_B_PRESSED = 1024;
    static constexpr int32_t GAME_C_PRESSED = 2048;
    static constexpr int32_t GAME_D_PRESSED = 4096;

    void WENDinvokeconstructor() { Canvas::WENDinvokeconstructor(); }
    // The profile's constructor with key suppression: key events reach the canvas either way.
    void WENDinvokeconstructor(bool suppressKeyEvents) { Canvas::WENDinvokeconstructor(); }

    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void paint(const JavaPtr<Graphics>& g) override {}
    void flushGraphics() override { Canvas::flushGraphics(); }
    void flushGraphics(int32_t x, int32_t y, int32_t w, int32_t h) override { Canvas::flushGraphics(x, y, w, h); }
    JavaPtr<Graphics> getGraphics() override { return Canvas::getGraphics(); }
    // Not cleared by reading: a press and release between two reads is not seen.
    virtual int32_t getKeyStates() { return m_keyStates.load(std::memory_order_relaxed); }

private:
    // Key events arrive on the UI thread while the game loop reads the mask.
    std::atomic<int32_t> m_keyStates{0};
};

}  // namespace javax::microedition::lcdui::game
