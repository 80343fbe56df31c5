// What an alert's commands do while the application listens to none: show the next screen.
#pragma once

#include "runtime/lang/Object.h"
#include "runtime/lcdui/chrome/CommandListener.h"

namespace javax::microedition::lcdui {

class DefaultAlertListener : public java::lang::Object, public CommandListener {
    JAVA_CLASS(DefaultAlertListener, "javax.microedition.lcdui.DefaultAlertListener", java::lang::Object,
               CommandListener)
public:
    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>& displayable) override;
};

}  // namespace javax::microedition::lcdui
