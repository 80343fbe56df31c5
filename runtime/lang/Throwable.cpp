#include "runtime/lang/Throwable.h"

#include <cstdio>

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
// Before System's statics exist (or after teardown) the trace still reaches the standard error.
void Throwable::printStackTrace() {
    if (System::err) {
        System::err->println(toString());
        return;
    }
    std::fprintf(stderr, "%s\n", toString()->val());
}

void throwNullPointerException() { throw NullPointerException(); }

}  // namespace java::lang
