// A buffer of bytes, the storage GL data usually comes in; typed views share its bytes from the
// position on and read and write them in the machine's byte order, which is the order GL reads.
#pragma once

#include "runtime/khronos/nio/TypedBuffer.h"

namespace java::nio {

class IntBuffer;
class FloatBuffer;
class ShortBuffer;

class ByteBuffer : public TypedBuffer<signed char> {
    JAVA_CLASS(ByteBuffer, "java.nio.ByteBuffer", Buffer)
public:
    static JavaPtr<ByteBuffer> allocate(int32_t capacity);
    // The same as allocate here: every buffer's storage is aligned for any element type.
    static JavaPtr<ByteBuffer> allocateDirect(int32_t capacity);
    static JavaPtr<ByteBuffer> wrap(const JavaPtr<JArray<signed char>>& array);

    JavaPtr<IntBuffer> asIntBuffer();
    JavaPtr<FloatBuffer> asFloatBuffer();
    JavaPtr<ShortBuffer> asShortBuffer();

    ByteBuffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity)
        : TypedBuffer(std::move(storage), base, capacity) {}
    explicit ByteBuffer(const JavaPtr<JArray<signed char>>& array) : TypedBuffer(array) {}
};

}  // namespace java::nio
