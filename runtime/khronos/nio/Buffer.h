// A run of elements in memory with a position and a limit: what the GL bindings take for their
// pointer arguments. The storage is held by the buffer (and so by anyone holding the buffer).
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::nio {

class Buffer : public java::lang::Object {
    JAVA_CLASS(Buffer, "java.nio.Buffer", java::lang::Object)
public:
    int32_t capacity() const { return m_capacity; }
    int32_t position() const { return m_position; }
    int32_t limit() const { return m_limit; }
    int32_t remaining() const { return m_limit - m_position; }
    bool hasRemaining() const { return m_position < m_limit; }
    // IllegalArgumentException outside 0..limit (position) or 0..capacity (limit).
    JavaPtr<Buffer> position(int32_t newPosition);
    JavaPtr<Buffer> limit(int32_t newLimit);
    JavaPtr<Buffer> rewind();
    JavaPtr<Buffer> flip();
    JavaPtr<Buffer> clear();

    // Address of element 0 of the storage and the size of one element in bytes.
    void* m_address() const { return m_base; }
    int32_t m_elementSize() const { return m_elementBytes; }
    // The address of the element at the position.
    void* m_positionAddress() const { return m_base + static_cast<int64_t>(m_position) * m_elementBytes; }

protected:
    Buffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity, int32_t elementBytes);
    // The byte address of element index for a get or put of count elements there;
    // IndexOutOfBoundsException when they do not lie inside the limit.
    uint8_t* elementAt(int32_t index, int32_t count) const;
    // The position's address for a relative get or put of count elements, which then moves on;
    // BufferUnderflow/Overflow is reported as IndexOutOfBoundsException.
    uint8_t* advance(int32_t count);

    JavaPtr<java::lang::Object> m_storage;

private:
    uint8_t* m_base;
    int32_t m_capacity;
    int32_t m_position = 0;
    int32_t m_limit;
    int32_t m_elementBytes;
};

}  // namespace java::nio
