#include "runtime/text/Boolean.h"

#include "runtime/text/String.h"

namespace java::lang {

bool Boolean::equals(JavaPtr<Object> other) {
    JavaPtr<Boolean> boxed = recastObj<Boolean>(other);
    return boxed && boxed->m_value == m_value;
}

JavaPtr<String> Boolean::toString() { return jnew<String>(m_value ? "true" : "false"); }

}  // namespace java::lang
