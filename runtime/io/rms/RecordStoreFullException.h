// The store cannot be written, or its file cannot be created or read as a store.
#pragma once

#include "runtime/io/rms/RecordStoreException.h"

namespace javax::microedition::rms {

JAVA_EXCEPTION_CLASS(RecordStoreFullException, RecordStoreException, "javax.microedition.rms.RecordStoreFullException")

}  // namespace javax::microedition::rms
