#include "runtime/lcdui/forms/List.h"

#include "runtime/lcdui/chrome/Command.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void List::List_staticInit() {
    SELECT_COMMAND = java::lang::jnew<Command>();
    SELECT_COMMAND->WENDinvokeconstructor(JavaPtr<java::lang::String>(new java::lang::String("")), Command::SCREEN, 0);
}

void List::List_staticDestroy() { SELECT_COMMAND = nullptr; }

}  // namespace javax::microedition::lcdui
