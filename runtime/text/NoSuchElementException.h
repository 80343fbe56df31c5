// Thrown by an Enumeration asked for an element beyond its last.
#pragma once

#include "runtime/lang/Exceptions.h"

namespace java::util {

JAVA_EXCEPTION_CLASS(NoSuchElementException, java::lang::RuntimeException, "java.util.NoSuchElementException")

}  // namespace java::util
