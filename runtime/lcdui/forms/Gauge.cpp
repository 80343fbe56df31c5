#include "runtime/lcdui/forms/Gauge.h"

#include <algorithm>
#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

}  // namespace

void Gauge::WENDinvokeconstructor(const JavaPtr<String>& label, bool interactive, int32_t maxValue,
                                  int32_t initialValue) {
    Item::WENDinvokeconstructor();
    std::lock_guard lock(lcdui());
    Item::setLabel(label);
    m_interactive = interactive;
    m_value = 0;
    m_maxValue = interactive ? 1 : -1;
    setMaxValue(maxValue);
    setValue(initialValue);
    m_animationFrame = 0;
    m_lastAnimationTime = -1;
    m_alertIndicator = false;
    m_areasRegistered = false;
    const JavaPtr<String> base = TouchScreenAreaManager::getUniqueBaseCode(JavaPtr<String>(new String("Gauge")));
    m_leftAreaName = base + "left";
    m_rightAreaName = base + "right";
    m_gaugeAreaName = base + "gauge";
}

void Gauge::m_checkNotIndicator() {
    if (m_alertIndicator) throw java::lang::IllegalStateException();
}

void Gauge::addCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::addCommand(command);
}

void Gauge::setDefaultCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::setDefaultCommand(command);
}

void Gauge::setItemCommandListener(const JavaPtr<ItemCommandListener>& listener) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::setItemCommandListener(listener);
}

void Gauge::setLabel(const JavaPtr<String>& label) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::setLabel(label);
}

void Gauge::setLayout(int32_t layout) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::setLayout(layout);
}

void Gauge::setPreferredSize(int32_t width, int32_t height) {
    std::lock_guard lock(lcdui());
    m_checkNotIndicator();
    Item::setPreferredSize(width, height);
}

int32_t Gauge::getMaxValue() {
    std::lock_guard lock(lcdui());
    return m_maxValue;
}

int32_t Gauge::getValue() {
    std::lock_guard lock(lcdui());
    return m_value;
}

bool Gauge::isInteractive() { return m_interactive; }

void Gauge::setAlertIndicator(bool indicator) {
    std::lock_guard lock(lcdui());
    m_alertIndicator = indicator;
}

bool Gauge::isAlertIndicator() {
    std::lock_guard lock(lcdui());
    return m_alertIndicator;
}

int32_t Gauge::animationFrame() {
    std::lock_guard lock(lcdui());
    return m_animationFrame;
}

void Gauge::setMaxValue(int32_t maxValue) {
    std::lock_guard lock(lcdui());
    if (maxValue < 1 && (m_interactive || maxValue != INDEFINITE)) throw java::lang::IllegalArgumentException();
    if (maxValue >= 1) {
        if (m_maxValue == INDEFINITE) {
            m_value = 0;
            invalidate();
        } else if (maxValue < m_value) {
            m_value = maxValue;
        }
    } else if (m_maxValue != INDEFINITE) {
        m_value = CONTINUOUS_IDLE;
    }
    m_maxValue = maxValue;
}

void Gauge::setValue(int32_t value) {
    std::lock_guard lock(lcdui());
    if (m_interactive) {
        value = std::clamp(value, 0, m_maxValue);
    } else if (m_maxValue == INDEFINITE && (value < CONTINUOUS_IDLE || value > INCREMENTAL_UPDATING)) {
        throw java::lang::IllegalArgumentException();
    }
    m_value = value;
    if (value == INCREMENTAL_UPDATING && m_maxValue == INDEFINITE) {
        m_animationFrame = (m_animationFrame + 1) % FRAMES;
        repaint();
    }
}

void Gauge::tick(int64_t) {
    std::lock_guard lock(lcdui());
    if (m_maxValue != INDEFINITE || m_value != CONTINUOUS_RUNNING) return;
    const int64_t now = java::lang::clocks::monotonicMillis();
    if (m_lastAnimationTime != -1 && now <= m_lastAnimationTime + FRAME_MS) return;
    m_lastAnimationTime = now;
    m_animationFrame = (m_animationFrame + 1) % FRAMES;
    repaint();
}

bool Gauge::traverse(int32_t dir, int32_t, int32_t, const JavaPtr<JArray<int32_t>>&) {
    std::lock_guard lock(lcdui());
    // Only a gauge the user may change keeps the sideways keys.
    if (m_alertIndicator || m_maxValue == INDEFINITE || !m_interactive) return false;
    if (dir != Canvas::LEFT && dir != Canvas::RIGHT) return false;
    const int32_t old = m_value;
    if (dir == Canvas::LEFT && m_value > 0) --m_value;
    if (dir == Canvas::RIGHT && m_value < m_maxValue) ++m_value;
    if (m_value != old) {
        repaint();
        notifyStateChanged();
    }
    return true;
}

void Gauge::rebuildTouchscreenAreas() {
    std::lock_guard lock(lcdui());
    m_areasRegistered = false;
}

void Gauge::touchscreenAreaEvent(const JavaPtr<String>& name, int32_t type, int32_t x, int32_t y, int32_t dx,
                                 int32_t dy, bool inside) {
    std::lock_guard lock(lcdui());
    if (!m_interactive || m_alertIndicator || m_maxValue == INDEFINITE) return;
    const int32_t old = m_value;
    if (type == TouchScreenAreaListener::PRESS) {
        Item::touchscreenAreaEvent(name, type, x, y, dx, dy, inside);
        if (name->equals(m_leftAreaName)) {
            --m_value;
        } else if (name->equals(m_rightAreaName)) {
            ++m_value;
        }
    }
    if ((type == TouchScreenAreaListener::PRESS || type == TouchScreenAreaListener::DRAG) && name->equals(m_gaugeAreaName))
        m_value = x / BOX_STEP + 1;
    m_value = std::clamp(m_value, 0, m_maxValue);
    if (m_value == old) return;
    repaint();
    // A change by touch is the user's as much as one by key.
    notifyStateChanged();
}

void Gauge::m_arrowArea(bool drawn, const JavaPtr<String>& name, int32_t x, int32_t y) {
    if (drawn) {
        registerArea(x, y, x + BOX, y + BOX, name);
    } else {
        TouchScreenAreaManager::unregisterArea(name);
    }
}

void Gauge::paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) {
    std::lock_guard lock(lcdui());
    if (m_maxValue == INDEFINITE) {
        const bool idle = m_value == CONTINUOUS_IDLE || m_value == INCREMENTAL_IDLE;
        g->setColor(idle ? bc::LCDUI_COLOR_FOREGROUND_INACTIVE : bc::LCDUI_COLOR_FOREGROUND);
        const int32_t mid = h / 2;
        g->drawLine(0, 0, 0, h);
        g->drawLine(0, mid, w - 1, mid);
        g->drawLine(w - 1, 0, w - 1, h);
        const int32_t span = w - 10;
        const int32_t f = m_animationFrame;
        const int32_t x = f <= 10 ? span - f * span / 10 : (2 * f - 20) * span / 20;
        g->drawArc(x, mid - 5, 10, 10, 0, 360);
        if (m_value == INCREMENTAL_IDLE || m_value == INCREMENTAL_UPDATING) g->drawArc(x + 2, mid - 3, 6, 6, 0, 360);
        m_areasRegistered = true;
        return;
    }
    g->setColor(m_interactive ? bc::LCDUI_COLOR_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND_INACTIVE);
    const int32_t boxes = getPrefContentWidth(0) < w ? std::min((w - 20) / BOX_STEP, m_maxValue) : std::min(m_maxValue, 5);
    const int32_t x0 = (w - 20 - BOX_STEP * boxes) / 2;
    const int32_t y0 = (h - getPrefContentHeight(0)) / 2;
    // An arrow's area is there exactly while the arrow is drawn.
    const bool left = m_interactive && m_value > 0;
    if (left) DisplayableCoreCanvas::drawHorizontalArrow(g, true, x0, y0, BOX, BOX, 2, 4);
    m_arrowArea(left, m_leftAreaName, x0, y0);
    int32_t bx = x0 + BOX_STEP;
    const int32_t filled = static_cast<int32_t>(static_cast<int64_t>(boxes) * m_value / m_maxValue);
    if (!m_areasRegistered && m_interactive) registerArea(bx, y0, bx + BOX_STEP * boxes, y0 + BOX, m_gaugeAreaName);
    for (int32_t i = 0; i < boxes; ++i) {
        if (i < filled) {
            g->fillRect(bx + BOX_STEP * i, y0, BOX, BOX);
        } else {
            g->drawRect(bx + BOX_STEP * i, y0, BOX, BOX);
        }
    }
    bx += BOX_STEP * boxes;
    const bool right = m_interactive && m_value < m_maxValue;
    if (right) DisplayableCoreCanvas::drawHorizontalArrow(g, false, bx, y0, BOX, BOX, 2, 4);
    m_arrowArea(right, m_rightAreaName, bx, y0);
    m_areasRegistered = true;
}

}  // namespace javax::microedition::lcdui
