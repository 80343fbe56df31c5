#include "runtime/text/Float.h"

#include <bit>
#include <cmath>

#include "runtime/text/FloatingText.h"
#include "runtime/text/String.h"

namespace java::lang {

bool Float::equals(JavaPtr<Object> other) {
    JavaPtr<Float> boxed = recastObj<Float>(other);
    return boxed && floatToIntBits(boxed->m_value) == floatToIntBits(m_value);
}

JavaPtr<String> Float::toString() { return detail::floatingText(m_value, true); }

int32_t Float::floatToIntBits(float value) {
    if (std::isnan(value)) return 0x7fc00000;
    return std::bit_cast<int32_t>(value);
}

float Float::intBitsToFloat(int32_t bits) { return std::bit_cast<float>(bits); }

}  // namespace java::lang
