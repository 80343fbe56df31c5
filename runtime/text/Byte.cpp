#include "runtime/text/Byte.h"

#include "runtime/text/String.h"

namespace java::lang {

bool Byte::equals(JavaPtr<Object> other) {
    JavaPtr<Byte> boxed = recastObj<Byte>(other);
    return boxed && boxed->m_value == m_value;
}

JavaPtr<String> Byte::toString() { return jnew<String>(static_cast<int32_t>(m_value)); }

}  // namespace java::lang
