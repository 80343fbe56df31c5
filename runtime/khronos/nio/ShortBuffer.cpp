#include "runtime/khronos/nio/ShortBuffer.h"

namespace java::nio {

JavaPtr<ShortBuffer> ShortBuffer::allocate(int32_t capacity) {
    if (capacity < 0) throw java::lang::IllegalArgumentException();
    return java::lang::jnew<ShortBuffer>(java::lang::jnew<JArray<short>>(capacity));
}

JavaPtr<ShortBuffer> ShortBuffer::wrap(const JavaPtr<JArray<short>>& array) { return java::lang::jnew<ShortBuffer>(array); }

}  // namespace java::nio
