// The interface of whoever receives the commands of a highlighted form item.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::lcdui {

class Command;
class Item;

class ItemCommandListener : public virtual java::lang::Smart {
    JAVA_CLASS(ItemCommandListener, "javax.microedition.lcdui.ItemCommandListener", java::lang::Smart)
public:
    virtual void commandAction(const JavaPtr<Command>& command, const JavaPtr<Item>& item) = 0;
};

}  // namespace javax::microedition::lcdui
