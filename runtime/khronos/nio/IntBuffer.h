// A buffer of int elements: wraps an array, or views the bytes of a ByteBuffer in the machine's order.
#pragma once

#include "runtime/khronos/nio/TypedBuffer.h"

namespace java::nio {

class IntBuffer : public TypedBuffer<int> {
    JAVA_CLASS(IntBuffer, "java.nio.IntBuffer", Buffer)
public:
    static JavaPtr<IntBuffer> allocate(int32_t capacity);
    static JavaPtr<IntBuffer> wrap(const JavaPtr<JArray<int>>& array);

    IntBuffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity)
        : TypedBuffer(std::move(storage), base, capacity) {}
    explicit IntBuffer(const JavaPtr<JArray<int>>& array) : TypedBuffer(array) {}
};

}  // namespace java::nio
