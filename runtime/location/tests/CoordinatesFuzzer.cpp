// Reads any text as coordinates; whatever reads as a coordinate in range must survive being
// written in both forms and read again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/lang/Throwable.h"
#include "runtime/location/Coordinates.h"
#include "runtime/text/String.h"

using javax::microedition::location::Coordinates;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One unit a byte: the texts that matter are ASCII.
    const std::u16string units(data, data + size);
    double value = 0;
    try {
        value = Coordinates::convert(java::lang::jnew<java::lang::String>(units.data(), static_cast<int32_t>(units.size())));
    } catch (java::lang::Throwable&) {
        return 0;
    }
    if (!(value >= -180 && value < 180)) return 0;
    for (const int32_t type : {Coordinates::DD_MM, Coordinates::DD_MM_SS}) {
        const double lastDigit = type == Coordinates::DD_MM ? 0.001 / 60 : 0.001 / 3600;
        const double back = Coordinates::convert(Coordinates::convert(value, type));
        if (!(std::fabs(back - value) <= lastDigit + 1e-9)) std::abort();
    }
    return 0;
}
