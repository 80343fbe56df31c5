#include "runtime/lang/Throwable.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/io/PrintStream.h"
#include "runtime/text/String.h"

namespace java::lang {

Throwable::Throwable(const char* message) : m_message(jnew<String>(message)) {}

JavaPtr<String> Throwable::toString() {
    JavaPtr<String> message = getMessage();
    if (!message) return getClassTypeName();
    return getClassTypeName() + ": " + message;
}

// Native frames carry no Java line numbers, so the trace is the exception's own line.
void Throwable::printStackTrace() { System::err->println(toString()); }

void throwNullPointerException() { throw NullPointerException(); }

}  // namespace java::lang
