#include "runtime/khronos/nio/ByteBuffer.h"

#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/nio/IntBuffer.h"
#include "runtime/khronos/nio/ShortBuffer.h"

namespace java::nio {

namespace {

// The view's elements start at the byte buffer's position and end at its limit.
template <class View>
JavaPtr<View> viewOf(ByteBuffer& bytes, const JavaPtr<java::lang::Object>& storage, int32_t elementBytes) {
    return java::lang::jnew<View>(storage, static_cast<uint8_t*>(bytes.m_positionAddress()), bytes.remaining() / elementBytes);
}

}  // namespace

JavaPtr<ByteBuffer> ByteBuffer::allocate(int32_t capacity) {
    if (capacity < 0) throw java::lang::IllegalArgumentException();
    // Held as 8-byte words, so that every typed view is aligned.
    auto words = java::lang::jnew<JArray<long long>>((capacity + 7) / 8);
    return java::lang::jnew<ByteBuffer>(words, reinterpret_cast<uint8_t*>(words->data), capacity);
}

JavaPtr<ByteBuffer> ByteBuffer::allocateDirect(int32_t capacity) { return allocate(capacity); }

JavaPtr<ByteBuffer> ByteBuffer::wrap(const JavaPtr<JArray<signed char>>& array) { return java::lang::jnew<ByteBuffer>(array); }

JavaPtr<IntBuffer> ByteBuffer::asIntBuffer() { return viewOf<IntBuffer>(*this, m_storage, 4); }
JavaPtr<FloatBuffer> ByteBuffer::asFloatBuffer() { return viewOf<FloatBuffer>(*this, m_storage, 4); }
JavaPtr<ShortBuffer> ByteBuffer::asShortBuffer() { return viewOf<ShortBuffer>(*this, m_storage, 2); }

}  // namespace java::nio
