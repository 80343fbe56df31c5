// A screen of choices; here only its class statics.
#pragma once

#include "runtime/lcdui/forms/Screen.h"

namespace javax::microedition::lcdui {

class Command;

class List : public Screen {
    JAVA_CLASS(List, "javax.microedition.lcdui.List", Screen)
public:
    static inline JavaPtr<Command> SELECT_COMMAND;
    static void List_staticInit();
    static void List_staticDestroy();

    void WENDinvokeconstructor() { Screen::WENDinvokeconstructor(); }
};

}  // namespace javax::microedition::lcdui
