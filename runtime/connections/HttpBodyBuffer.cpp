#include "runtime/connections/HttpBodyBuffer.h"

#include <cstring>
#include <utility>

namespace javax::microedition::io {

void HttpBodyBuffer::announce(int64_t length) {
    if (length <= 0 || static_cast<uint64_t>(length) > m_cap || size() > 0) return;
    m_announced = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(length));
}

bool HttpBodyBuffer::append(const char* data, size_t n) {
    if (n > m_cap - size()) return false;
    if (m_announced && n <= static_cast<size_t>(m_announced->length) - m_filled) {
        std::memcpy(m_announced->data + m_filled, data, n);
        m_filled += n;
        return true;
    }
    // More than was announced: carry on in the growing store.
    if (m_announced) {
        m_bytes.assign(m_announced->data, m_announced->data + m_filled);
        m_announced = nullptr;
        m_filled = 0;
    }
    m_bytes.insert(m_bytes.end(), data, data + n);
    return true;
}

JavaPtr<JArray<signed char>> HttpBodyBuffer::takeArray() {
    if (m_announced && m_filled == static_cast<size_t>(m_announced->length)) return std::exchange(m_announced, nullptr);
    const size_t count = size();
    auto array = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(count));
    if (count > 0) std::memcpy(array->data, m_announced ? m_announced->data : m_bytes.data(), count);
    m_announced = nullptr;
    m_filled = 0;
    m_bytes.clear();
    return array;
}

}  // namespace javax::microedition::io
