// The interface of whoever is told when the user changes the value of an item on a form.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::lcdui {

class Item;

class ItemStateListener : public virtual java::lang::Smart {
    JAVA_CLASS(ItemStateListener, "javax.microedition.lcdui.ItemStateListener", java::lang::Smart)
public:
    virtual void itemStateChanged(const JavaPtr<Item>& item) = 0;
};

}  // namespace javax::microedition::lcdui
