// The runtime's canvas that draws a screen (form, list, alert) with its chrome; here only what the
// Display and the displayables call on it.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lcdui/Canvas.h"

namespace javax::microedition::lcdui {

class DisplayableCoreCanvas : public Canvas {
    JAVA_CLASS(DisplayableCoreCanvas, "javax.microedition.lcdui.DisplayableCoreCanvas", Canvas)
public:
    static inline std::atomic<int32_t> KEY_UP{0};
    static inline std::atomic<int32_t> KEY_DOWN{0};
    static inline std::atomic<int32_t> KEY_LEFT{0};
    static inline std::atomic<int32_t> KEY_RIGHT{0};
    static inline std::atomic<int32_t> KEY_FIRE{0};

    // Fills the key-code statics from the runtime's key table.
    static void init();

    void WENDinvokeconstructor() { Canvas::WENDinvokeconstructor(); }

    bool needsRepaint() const { return m_needsRepaint.load(std::memory_order_relaxed); }
    // Repaints the whole canvas while it is shown, unless already inside this repaint.
    void repaint();
    // No input is buffered yet, so there is nothing to deliver.
    void replayBufferedEvents() {}
    void reLayout() {}
    void notifyParentDestroyed() {}

protected:
    std::atomic<bool> m_needsRepaint{false};

private:
    std::atomic<bool> m_inRepaint{false};
};

}  // namespace javax::microedition::lcdui
