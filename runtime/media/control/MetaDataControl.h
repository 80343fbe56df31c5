// Only its key names exist: no player here hands out metadata.
#pragma once

#include "runtime/media/Control.h"

namespace java::lang { class String; }

namespace javax::microedition::media::control {

class MetaDataControl : public Control {
    JAVA_CLASS(MetaDataControl, "javax.microedition.media.control.MetaDataControl", Control)
public:
    static inline JavaPtr<java::lang::String> AUTHOR_KEY;
    static inline JavaPtr<java::lang::String> COPYRIGHT_KEY;
    static inline JavaPtr<java::lang::String> DATE_KEY;
    static inline JavaPtr<java::lang::String> TITLE_KEY;

    static void MetaDataControl_staticInit();
    static void MetaDataControl_staticDestroy();
};

}  // namespace javax::microedition::media::control
