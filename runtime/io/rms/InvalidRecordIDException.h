// No record of that id is in the store (or left in the enumeration).
#pragma once

#include "runtime/io/rms/RecordStoreException.h"

namespace javax::microedition::rms {

JAVA_EXCEPTION_CLASS(InvalidRecordIDException, RecordStoreException, "javax.microedition.rms.InvalidRecordIDException")

}  // namespace javax::microedition::rms
