#include "runtime/io/InputStream.h"

#include "runtime/io/IOException.h"
#include "runtime/lang/System.h"

namespace java::io {

int32_t InputStream::read(const JavaPtr<JArray<signed char>>& b) { return read(b, 0, b->length); }

int32_t InputStream::read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    if (len == 0) return 0;
    int32_t first = read();
    if (first < 0) return -1;
    b->data[off] = static_cast<signed char>(first);
    int32_t count = 1;
    for (; count < len; ++count) {
        const int32_t next = read();
        if (next < 0) break;
        b->data[off + count] = static_cast<signed char>(next);
    }
    return count;
}

void InputStream::reset() { throw IOException("mark/reset not supported"); }

int64_t InputStream::skip(int64_t n) {
    int64_t skipped = 0;
    while (skipped < n && read() >= 0) ++skipped;
    return skipped;
}

}  // namespace java::io
