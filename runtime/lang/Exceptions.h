// The exception classes of java.lang.
#pragma once

#include "runtime/lang/Throwable.h"

namespace java::lang {

JAVA_EXCEPTION_CLASS(Exception, Throwable, "java.lang.Exception")
JAVA_EXCEPTION_CLASS(RuntimeException, Exception, "java.lang.RuntimeException")
JAVA_EXCEPTION_CLASS(IllegalArgumentException, RuntimeException, "java.lang.IllegalArgumentException")
JAVA_EXCEPTION_CLASS(NumberFormatException, IllegalArgumentException, "java.lang.NumberFormatException")
JAVA_EXCEPTION_CLASS(IllegalMonitorStateException, RuntimeException, "java.lang.IllegalMonitorStateException")
JAVA_EXCEPTION_CLASS(IllegalStateException, RuntimeException, "java.lang.IllegalStateException")
JAVA_EXCEPTION_CLASS(IndexOutOfBoundsException, RuntimeException, "java.lang.IndexOutOfBoundsException")
JAVA_EXCEPTION_CLASS(ArrayIndexOutOfBoundsException, IndexOutOfBoundsException,
                     "java.lang.ArrayIndexOutOfBoundsException")
JAVA_EXCEPTION_CLASS(StringIndexOutOfBoundsException, IndexOutOfBoundsException,
                     "java.lang.StringIndexOutOfBoundsException")
JAVA_EXCEPTION_CLASS(NullPointerException, RuntimeException, "java.lang.NullPointerException")
JAVA_EXCEPTION_CLASS(UnsupportedOperationException, RuntimeException, "java.lang.UnsupportedOperationException")

}  // namespace java::lang
