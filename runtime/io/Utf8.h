// Conversions between the runtime's UTF-16 strings and the UTF-8 text of paths and messages.
#pragma once

#include <string>
#include <string_view>

#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

namespace java::io {

// A lone surrogate has no UTF-8 form and becomes U+FFFD.
std::string toUtf8(std::u16string_view units);
// Malformed bytes become U+FFFD.
JavaPtr<java::lang::String> stringFromUtf8(std::string_view bytes);

}  // namespace java::io
