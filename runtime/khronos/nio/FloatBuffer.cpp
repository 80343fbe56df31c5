#include "runtime/khronos/nio/FloatBuffer.h"

namespace java::nio {

JavaPtr<FloatBuffer> FloatBuffer::allocate(int32_t capacity) {
    if (capacity < 0) throw java::lang::IllegalArgumentException();
    return java::lang::jnew<FloatBuffer>(java::lang::jnew<JArray<float>>(capacity));
}

JavaPtr<FloatBuffer> FloatBuffer::wrap(const JavaPtr<JArray<float>>& array) { return java::lang::jnew<FloatBuffer>(array); }

}  // namespace java::nio
