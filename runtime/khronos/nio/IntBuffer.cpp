#include "runtime/khronos/nio/IntBuffer.h"

namespace java::nio {

JavaPtr<IntBuffer> IntBuffer::allocate(int32_t capacity) {
    if (capacity < 0) throw java::lang::IllegalArgumentException();
    return java::lang::jnew<IntBuffer>(java::lang::jnew<JArray<int>>(capacity));
}

JavaPtr<IntBuffer> IntBuffer::wrap(const JavaPtr<JArray<int>>& array) { return java::lang::jnew<IntBuffer>(array); }

}  // namespace java::nio
