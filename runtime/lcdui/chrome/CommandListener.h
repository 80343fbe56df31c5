// The interface of whoever receives the commands a displayable triggers.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::lcdui {

class Command;
class Displayable;

class CommandListener : public virtual java::lang::Smart {
    JAVA_CLASS(CommandListener, "javax.microedition.lcdui.CommandListener", java::lang::Smart)
public:
    virtual void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>& displayable) = 0;
};

}  // namespace javax::microedition::lcdui
