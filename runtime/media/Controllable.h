// An object whose controls can be asked for by name.
#pragma once

#include "runtime/lang/JArray.h"
#include "runtime/media/Control.h"

namespace java::lang { class String; }

namespace javax::microedition::media {

class Controllable : public virtual java::lang::Smart {
    JAVA_CLASS(Controllable, "javax.microedition.media.Controllable", java::lang::Smart)
public:
    virtual JavaPtr<Control> getControl(JavaPtr<java::lang::String> type) = 0;
    virtual JavaPtr<JArray<Control>> getControls() = 0;
};

}  // namespace javax::microedition::media
