#include "runtime/media/control/MetaDataControl.h"

#include "runtime/text/String.h"

namespace javax::microedition::media::control {

using java::lang::String;

void MetaDataControl::MetaDataControl_staticInit() {
    AUTHOR_KEY = java::lang::jnew<String>("author");
    COPYRIGHT_KEY = java::lang::jnew<String>("copyright");
    DATE_KEY = java::lang::jnew<String>("date");
    TITLE_KEY = java::lang::jnew<String>("title");
}

void MetaDataControl::MetaDataControl_staticDestroy() {
    AUTHOR_KEY = nullptr;
    COPYRIGHT_KEY = nullptr;
    DATE_KEY = nullptr;
    TITLE_KEY = nullptr;
}

}  // namespace javax::microedition::media::control
