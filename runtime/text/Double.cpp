#include "runtime/text/Double.h"

#include <bit>
#include <cmath>

#include "runtime/text/FloatingText.h"
#include "runtime/text/String.h"

namespace java::lang {

bool Double::equals(JavaPtr<Object> other) {
    JavaPtr<Double> boxed = recastObj<Double>(other);
    return boxed && doubleToLongBits(boxed->m_value) == doubleToLongBits(m_value);
}

int32_t Double::hashCode() {
    const auto bits = static_cast<uint64_t>(doubleToLongBits(m_value));
    return static_cast<int32_t>(bits ^ (bits >> 32));
}

JavaPtr<String> Double::toString() { return detail::floatingText(m_value, false); }

long long Double::doubleToLongBits(double value) {
    if (std::isnan(value)) return 0x7ff8000000000000LL;
    return std::bit_cast<long long>(value);
}

double Double::longBitsToDouble(long long bits) { return std::bit_cast<double>(bits); }

}  // namespace java::lang
