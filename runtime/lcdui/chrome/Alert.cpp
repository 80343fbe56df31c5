#include "runtime/lcdui/chrome/Alert.h"

#include "runtime/lang/System.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void Alert::Alert_staticInit() {
    DISMISS_COMMAND = java::lang::jnew<Command>();
    DISMISS_COMMAND->WENDinvokeconstructor(JavaPtr<java::lang::String>(new java::lang::String("Done")), Command::OK, 0);
}

void Alert::Alert_staticDestroy() { DISMISS_COMMAND = nullptr; }

JavaPtr<Displayable> Alert::getNextDisplayable() {
    std::lock_guard guard(m_nextLock);
    return m_nextDisplayable;
}

void Alert::setNextDisplayable(const JavaPtr<Displayable>& next) {
    std::lock_guard guard(m_nextLock);
    m_nextDisplayable = next;
}

void Alert::showNotify() { m_shownTime.store(java::lang::System::currentTimeMillis(), std::memory_order_relaxed); }

void Alert::advance() { Display::getDisplay()->setCurrent(getNextDisplayable()); }

}  // namespace javax::microedition::lcdui
