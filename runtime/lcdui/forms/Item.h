// An element of a form; here only the link to the form that holds it.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class Form;

class Item : public java::lang::Object {
    JAVA_CLASS(Item, "javax.microedition.lcdui.Item", java::lang::Object)
public:
    void WENDinvokeconstructor() { Object::WENDinvokeconstructor(); }

    // Null while no form holds the item.
    JavaPtr<Form> getContainingForm();
};

}  // namespace javax::microedition::lcdui
