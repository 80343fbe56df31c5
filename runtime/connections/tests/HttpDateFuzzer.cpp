// Feeds arbitrary text to the HTTP date parser: it answers or refuses a number, never crashes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/connections/HttpDate.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string units(data, data + size);
    auto value = java::lang::jnew<java::lang::String>(units.data(), static_cast<int32_t>(units.size()));
    try {
        javax::microedition::io::parseHttpDate(value, 0);
    } catch (java::lang::NumberFormatException&) {
    }
    return 0;
}
