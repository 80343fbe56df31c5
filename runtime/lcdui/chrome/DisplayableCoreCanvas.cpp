#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"

namespace javax::microedition::lcdui {

void DisplayableCoreCanvas::init() {
    KEY_LEFT = expectedKeypressID(16);
    KEY_RIGHT = expectedKeypressID(17);
    KEY_UP = expectedKeypressID(18);
    KEY_DOWN = expectedKeypressID(19);
    KEY_FIRE = expectedKeypressID(20);
}

void DisplayableCoreCanvas::repaint() {
    if (!isShown() || m_inRepaint.exchange(true)) return;
    Canvas::repaint();
    m_needsRepaint = false;
    m_inRepaint = false;
}

}  // namespace javax::microedition::lcdui
