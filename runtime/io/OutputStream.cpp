#include "runtime/io/OutputStream.h"

#include "runtime/lang/System.h"

namespace java::io {

void OutputStream::write(const JavaPtr<JArray<signed char>>& b) { write(b, 0, b->length); }

void OutputStream::write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    for (int32_t i = 0; i < len; ++i) write(static_cast<int32_t>(b->data[off + i]));
}

}  // namespace java::io
