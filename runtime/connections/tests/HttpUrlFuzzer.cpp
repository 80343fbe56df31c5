// Feeds arbitrary text to URL splitting; every part must come from the name and the port from
// parsing only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/connections/HttpUrl.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace javax::microedition::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string units(data, data + size);
    if (size % 2) units = u"http://" + units;
    auto url = java::lang::jnew<java::lang::String>(units.data(), static_cast<int32_t>(units.size()));
    try {
        const HttpUrlParts parts = parseHttpUrl(url);
        for (const auto* part : {&parts.protocol, &parts.user, &parts.password, &parts.host, &parts.path, &parts.file,
                                 &parts.params, &parts.query, &parts.ref})
            if (*part && (*part)->length() > url->length()) std::abort();
        if (!parts.protocol || !parts.host) std::abort();
    } catch (java::lang::NumberFormatException&) {
    }
    return 0;
}
