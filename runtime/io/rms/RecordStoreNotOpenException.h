// The store has been closed.
#pragma once

#include "runtime/io/rms/RecordStoreException.h"

namespace javax::microedition::rms {

JAVA_EXCEPTION_CLASS(RecordStoreNotOpenException, RecordStoreException, "javax.microedition.rms.RecordStoreNotOpenException")

}  // namespace javax::microedition::rms
