#include "host/TouchInput.h"

#include <cmath>
#include <limits>
#include <utility>

#include "host/Launcher.h"
#include "platform/PlatformState.h"

int32_t pixelFromPoint(double point, int32_t shiftScale) {
    constexpr double LIMIT = std::numeric_limits<int32_t>::max() >> 2;
    if (!std::isfinite(point)) return TouchInput::RELEASE_OUTSIDE;
    const double truncated = std::trunc(std::fmax(-LIMIT, std::fmin(LIMIT, point)));
    return static_cast<int32_t>(truncated) * (int32_t{1} << shiftScale);
}

TouchInput::TouchInput(EntryPoints entryPoints) : m_entryPoints(std::move(entryPoints)) {
    if (!m_entryPoints.down) m_entryPoints.down = xyzMouseDown;
    if (!m_entryPoints.dragged) m_entryPoints.dragged = xyzMouseDragged;
    if (!m_entryPoints.up) m_entryPoints.up = xyzMouseUp;
}

namespace {

bool delivering() { return platform::sendInputsPlease.load(std::memory_order_relaxed); }
int32_t shift() { return platform::shiftScale.load(std::memory_order_relaxed); }

}  // namespace

void TouchInput::touchesBegan(double x, double y) {
    if (m_held || !delivering()) return;
    m_held = true;
    m_entryPoints.down(pixelFromPoint(x, shift()), pixelFromPoint(y, shift()));
}

void TouchInput::touchesMoved(double x, double y) {
    if (!m_held || !delivering()) return;
    m_entryPoints.dragged(pixelFromPoint(x, shift()), pixelFromPoint(y, shift()));
}

void TouchInput::touchesEnded(double x, double y) {
    if (!m_held) return;
    m_held = false;
    if (!delivering()) return;
    m_entryPoints.up(pixelFromPoint(x, shift()), pixelFromPoint(y, shift()));
}

void TouchInput::touchesCancelled() {
    if (!m_held) return;
    m_held = false;
    m_entryPoints.up(RELEASE_OUTSIDE, RELEASE_OUTSIDE);
}
