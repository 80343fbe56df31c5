#include "runtime/text/StringBuffer.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace java::lang {

StringBuffer::StringBuffer(int32_t capacity) {
    if (capacity < 0) throw IllegalArgumentException("negative capacity");
    m_units.reserve(static_cast<size_t>(capacity));
}

JavaPtr<StringBuffer> StringBuffer::append(jchar unit) {
    auto lock = startSync();
    m_units.push_back(unit);
    return JavaPtr<StringBuffer>(this);
}

int32_t StringBuffer::length() {
    auto lock = startSync();
    return static_cast<int32_t>(m_units.size());
}

JavaPtr<String> StringBuffer::toString() {
    auto lock = startSync();
    return jnew<String>(m_units.data(), static_cast<int32_t>(m_units.size()));
}

}  // namespace java::lang
