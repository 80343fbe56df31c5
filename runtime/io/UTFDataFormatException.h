// Text that does not fit, or is not, the data streams' modified UTF-8 form.
#pragma once

#include "runtime/io/IOException.h"

namespace java::io {

JAVA_EXCEPTION_CLASS(UTFDataFormatException, IOException, "java.io.UTFDataFormatException")

}  // namespace java::io
