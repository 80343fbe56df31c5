// A screen shown for a while before the application's next displayable; here only what the
// Display relies on: the next displayable and the time it was shown.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "runtime/lcdui/forms/Screen.h"

namespace javax::microedition::lcdui {

class Command;

class Alert : public Screen {
    JAVA_CLASS(Alert, "javax.microedition.lcdui.Alert", Screen)
public:
    static inline JavaPtr<Command> DISMISS_COMMAND;
    static void Alert_staticInit();
    static void Alert_staticDestroy();

    void WENDinvokeconstructor() { Screen::WENDinvokeconstructor(); }

    // Set by Display::setCurrent(Alert, Displayable) and never cleared.
    JavaPtr<Displayable> getNextDisplayable();
    void setNextDisplayable(const JavaPtr<Displayable>& next);
    // Records when the alert was shown; its timeout counts from then.
    void showNotify();
    int64_t getShownTime() const { return m_shownTime.load(std::memory_order_relaxed); }
    // Makes the next displayable current.
    void advance();

private:
    std::mutex m_nextLock;
    JavaPtr<Displayable> m_nextDisplayable;
    std::atomic<int64_t> m_shownTime{0};
};

}  // namespace javax::microedition::lcdui
