// The manager of the screen's touch areas; here only its teardown.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class TouchScreenAreaManager : public java::lang::Object {
    JAVA_CLASS(TouchScreenAreaManager, "javax.microedition.lcdui.TouchScreenAreaManager", java::lang::Object)
public:
    // Releases the singleton; none is made yet.
    static void destroy() {}
};

}  // namespace javax::microedition::lcdui
