// A player operation the platform could not carry out.
#pragma once

#include "runtime/lang/Exceptions.h"

namespace javax::microedition::media {

JAVA_EXCEPTION_CLASS(MediaException, java::lang::Exception, "javax.microedition.media.MediaException")

}  // namespace javax::microedition::media
