// The failure of an input or output operation.
#pragma once

#include "runtime/lang/Exceptions.h"

namespace java::io {

JAVA_EXCEPTION_CLASS(IOException, java::lang::Exception, "java.io.IOException")

}  // namespace java::io
