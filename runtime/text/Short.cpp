#include "runtime/text/Short.h"

#include "runtime/text/String.h"

namespace java::lang {

bool Short::equals(JavaPtr<Object> other) {
    JavaPtr<Short> boxed = recastObj<Short>(other);
    return boxed && boxed->m_value == m_value;
}

JavaPtr<String> Short::toString() { return jnew<String>(static_cast<int32_t>(m_value)); }

}  // namespace java::lang
