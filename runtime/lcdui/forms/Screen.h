// The base of the displayables the runtime draws for the application (forms, lists, alerts).
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lcdui/Displayable.h"

namespace javax::microedition::lcdui {

class Screen : public Displayable {
    JAVA_CLASS(Screen, "javax.microedition.lcdui.Screen", Displayable)
public:
    void WENDinvokeconstructor() { Displayable::WENDinvokeconstructor(); }

    bool needsRelayout() const { return m_needsRelayout.load(std::memory_order_relaxed); }
    void setNeedsRelayout(bool needed) { m_needsRelayout.store(needed, std::memory_order_relaxed); }
    virtual void relayout() {}
    virtual void tick(int64_t ms) {}

private:
    std::atomic<bool> m_needsRelayout{false};
};

}  // namespace javax::microedition::lcdui
