#include "runtime/khronos/nio/Buffer.h"

#include "runtime/lang/Exceptions.h"

namespace java::nio {

Buffer::Buffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity, int32_t elementBytes)
    : m_storage(std::move(storage)), m_base(base), m_capacity(capacity), m_limit(capacity), m_elementBytes(elementBytes) {}

JavaPtr<Buffer> Buffer::position(int32_t newPosition) {
    if (newPosition < 0 || newPosition > m_limit) throw java::lang::IllegalArgumentException();
    m_position = newPosition;
    return JavaPtr<Buffer>(this);
}

JavaPtr<Buffer> Buffer::limit(int32_t newLimit) {
    if (newLimit < 0 || newLimit > m_capacity) throw java::lang::IllegalArgumentException();
    m_limit = newLimit;
    if (m_position > m_limit) m_position = m_limit;
    return JavaPtr<Buffer>(this);
}

JavaPtr<Buffer> Buffer::rewind() {
    m_position = 0;
    return JavaPtr<Buffer>(this);
}

JavaPtr<Buffer> Buffer::flip() {
    m_limit = m_position;
    m_position = 0;
    return JavaPtr<Buffer>(this);
}

JavaPtr<Buffer> Buffer::clear() {
    m_position = 0;
    m_limit = m_capacity;
    return JavaPtr<Buffer>(this);
}

uint8_t* Buffer::elementAt(int32_t index, int32_t count) const {
    if (index < 0 || count < 0 || index > m_limit - count) throw java::lang::IndexOutOfBoundsException();
    return m_base + static_cast<int64_t>(index) * m_elementBytes;
}

uint8_t* Buffer::advance(int32_t count) {
    uint8_t* at = elementAt(m_position, count);
    m_position += count;
    return at;
}

}  // namespace java::nio
