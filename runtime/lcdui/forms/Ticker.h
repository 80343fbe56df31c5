// Scrolling text that any displayable can carry; registers itself with the Display, which advances
// its time every tick while anything but the Display's list still holds it.
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

    virtual JavaPtr<java::lang::String> getString();
    // The drawn copy turns line feeds into spaces; a null text draws as "". The time is kept.
    virtual void setString(const JavaPtr<java::lang::String>& text);
    JavaPtr<java::lang::String> getDrawableString();
    int64_t getTotalTickedTimeMS() const { return m_totalTickedTimeMS.load(std::memory_order_relaxed); }
    void tick(int64_t ms) { m_totalTickedTimeMS.fetch_add(ms, std::memory_order_relaxed); }

private:
    // The MIDlet thread sets the text while the tick thread draws it: both under the LCDUI lock.
    JavaPtr<java::lang::String> m_string;
    JavaPtr<java::lang::String> m_drawableString;
    std::atomic<int64_t> m_totalTickedTimeMS{0};
};

}  // namespace javax::microedition::lcdui
