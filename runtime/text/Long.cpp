#include "runtime/text/Long.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Character.h"
#include "runtime/text/String.h"

namespace java::lang {

bool Long::equals(JavaPtr<Object> other) {
    JavaPtr<Long> boxed = recastObj<Long>(other);
    return boxed && boxed->m_value == m_value;
}

int32_t Long::hashCode() {
    const auto bits = static_cast<uint64_t>(m_value);
    return static_cast<int32_t>(bits ^ (bits >> 32));
}

JavaPtr<String> Long::toString() { return jnew<String>("") + m_value; }

long long Long::parseLong(const JavaPtr<String>& text, int32_t radix) {
    if (!text) throw NumberFormatException("null");
    if (radix < Character::MIN_RADIX || radix > Character::MAX_RADIX) throw NumberFormatException("radix out of range");
    const int32_t length = text->length();
    const char16_t* units = text->units();
    const bool negative = length > 0 && units[0] == u'-';
    // The magnitude is gathered unsigned so that the most negative value can be read too.
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    uint64_t magnitude = 0;
    for (int32_t i = negative ? 1 : 0; i < length; ++i) {
        const int32_t digit = Character::digit(Character::toUpperCase(units[i]), radix);
        if (digit < 0) break;
        if (magnitude > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(radix))
            throw NumberFormatException(jnew<String>("out of the 64-bit range: ") + text);
        magnitude = magnitude * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    }
    return static_cast<long long>(negative ? 0 - magnitude : magnitude);
}

}  // namespace java::lang
