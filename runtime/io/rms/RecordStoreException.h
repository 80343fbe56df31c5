// The family of record-store failures.
#pragma once

#include "runtime/lang/Exceptions.h"

namespace javax::microedition::rms {

JAVA_EXCEPTION_CLASS(RecordStoreException, java::lang::Exception, "javax.microedition.rms.RecordStoreException")

}  // namespace javax::microedition::rms
