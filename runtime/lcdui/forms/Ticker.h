// Scrolling text shown on a screen; registers itself with the Display, which ticks its time.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class Ticker : public java::lang::Object {
    JAVA_CLASS(Ticker, "javax.microedition.lcdui.Ticker", java::lang::Object)
public:
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& text);

    virtual JavaPtr<java::lang::String> getString() { return m_text; }
    void tick(int64_t ms) { m_tickedTime.fetch_add(ms, std::memory_order_relaxed); }
    int64_t getTickedTime() const { return m_tickedTime.load(std::memory_order_relaxed); }

private:
    JavaPtr<java::lang::String> m_text;
    std::atomic<int64_t> m_tickedTime{0};
};

}  // namespace javax::microedition::lcdui
