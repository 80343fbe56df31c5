// What a player hands out to adjust one aspect of its playback.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::media {

class Control : public virtual java::lang::Smart {
    JAVA_CLASS(Control, "javax.microedition.media.Control", java::lang::Smart)
};

}  // namespace javax::microedition::media
