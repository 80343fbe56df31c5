// No store of that name exists and none was to be created.
#pragma once

#include "runtime/io/rms/RecordStoreException.h"

namespace javax::microedition::rms {

JAVA_EXCEPTION_CLASS(RecordStoreNotFoundException, RecordStoreException, "javax.microedition.rms.RecordStoreNotFoundException")

}  // namespace javax::microedition::rms
