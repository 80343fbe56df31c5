// A buffer of short elements: wraps an array, or views the bytes of a ByteBuffer in the machine's order.
#pragma once

#include "runtime/khronos/nio/TypedBuffer.h"

namespace java::nio {

class ShortBuffer : public TypedBuffer<short> {
    JAVA_CLASS(ShortBuffer, "java.nio.ShortBuffer", Buffer)
public:
    static JavaPtr<ShortBuffer> allocate(int32_t capacity);
    static JavaPtr<ShortBuffer> wrap(const JavaPtr<JArray<short>>& array);

    ShortBuffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity)
        : TypedBuffer(std::move(storage), base, capacity) {}
    explicit ShortBuffer(const JavaPtr<JArray<short>>& array) : TypedBuffer(array) {}
};

}  // namespace java::nio
