// The data ended before a read could complete.
#pragma once

#include "runtime/io/IOException.h"

namespace java::io {

JAVA_EXCEPTION_CLASS(EOFException, IOException, "java.io.EOFException")

}  // namespace java::io
