// A buffer of float elements: wraps an array, or views the bytes of a ByteBuffer in the machine's order.
#pragma once

#include "runtime/khronos/nio/TypedBuffer.h"

namespace java::nio {

class FloatBuffer : public TypedBuffer<float> {
    JAVA_CLASS(FloatBuffer, "java.nio.FloatBuffer", Buffer)
public:
    static JavaPtr<FloatBuffer> allocate(int32_t capacity);
    static JavaPtr<FloatBuffer> wrap(const JavaPtr<JArray<float>>& array);

    FloatBuffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity)
        : TypedBuffer(std::move(storage), base, capacity) {}
    explicit FloatBuffer(const JavaPtr<JArray<float>>& array) : TypedBuffer(array) {}
};

}  // namespace java::nio
