// Reads an HTTP date header value in any of its three forms (RFC 1123, RFC 850, asctime).
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

namespace javax::microedition::io {

// Whole milliseconds since 1970-01-01 00:00 GMT, read in GMT whatever the machine's zone; the
// default for a null value, a missing separator or an unknown month. A two-digit year of 69 or
// less lies in the 2000s. A number Integer::parseInt refuses passes its NumberFormatException out.
int64_t parseHttpDate(const JavaPtr<java::lang::String>& value, int64_t defaultValue);

}  // namespace javax::microedition::io
