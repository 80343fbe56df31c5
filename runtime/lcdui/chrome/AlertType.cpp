#include "runtime/lcdui/chrome/AlertType.h"

namespace javax::microedition::lcdui {

void AlertType::AlertType_staticInit() {
    ALARM = java::lang::jnew<AlertType>(1);
    CONFIRMATION = java::lang::jnew<AlertType>(2);
    ERROR = java::lang::jnew<AlertType>(3);
    INFO = java::lang::jnew<AlertType>(4);
    WARNING = java::lang::jnew<AlertType>(5);
}

void AlertType::AlertType_staticDestroy() {
    ALARM = nullptr;
    CONFIRMATION = nullptr;
    ERROR = nullptr;
    INFO = nullptr;
    WARNING = nullptr;
}

}  // namespace javax::microedition::lcdui
