// The base of the displayables the runtime draws for the application (forms, lists, alerts): a
// relayout flag and the hooks through which the display tick lays it out and ticks its canvas.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lcdui/Displayable.h"

namespace javax::microedition::lcdui {

class Screen : public Displayable {
    JAVA_CLASS(Screen, "javax.microedition.lcdui.Screen", Displayable)
public:
    void WENDinvokeconstructor() { Displayable::WENDinvokeconstructor(); }

    // Current and not paused.
    bool isShown() override;
    virtual void relayout() {}
    virtual void setNeedsRelayout(bool needed) { m_needsRelayout.store(needed, std::memory_order_relaxed); }
    virtual bool needsRelayout() { return m_needsRelayout.load(std::memory_order_relaxed); }
    // Ticks the chrome canvas that shows the screen (its key repeat).
    virtual void tick(int64_t ms);

private:
    std::atomic<bool> m_needsRelayout{false};
};

}  // namespace javax::microedition::lcdui
