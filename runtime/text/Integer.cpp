#include "runtime/text/Integer.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Long.h"
#include "runtime/text/String.h"

namespace java::lang {

bool Integer::equals(JavaPtr<Object> other) {
    JavaPtr<Integer> boxed = recastObj<Integer>(other);
    return boxed && boxed->m_value == m_value;
}

int32_t Integer::parseInt(const JavaPtr<String>& text, int32_t radix) {
    if (!text) throw NumberFormatException("null");
    const long long value = Long::parseLong(text, radix);
    if (value < MIN_VALUE || value > MAX_VALUE)
        throw NumberFormatException(jnew<String>("out of the int range: ") + text);
    return static_cast<int32_t>(value);
}

JavaPtr<String> Integer::toString(int32_t value) { return jnew<String>(value); }

}  // namespace java::lang
