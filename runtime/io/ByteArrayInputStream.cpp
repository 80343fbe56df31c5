#include "runtime/io/ByteArrayInputStream.h"

#include <algorithm>
#include <cstring>

#include "runtime/lang/System.h"

namespace java::io {

void ByteArrayInputStream::WENDinvokeconstructor(JavaPtr<JArray<signed char>> data) {
    buf = std::move(data);
    count = buf ? buf->length : 0;
    pos = 0;
    markedPosition = 0;
}

int32_t ByteArrayInputStream::read() {
    if (!buf || pos >= count) return -1;
    return static_cast<unsigned char>(buf->data[pos++]);
}

int32_t ByteArrayInputStream::read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    if (!buf || pos >= count) return -1;
    const int32_t n = std::min(len, count - pos);
    if (n > 0) std::memcpy(b->data + off, buf->data + pos, static_cast<size_t>(n));
    pos += n;
    return n;
}

int64_t ByteArrayInputStream::skip(int64_t n) {
    if (n <= 0) return 0;
    const int64_t skipped = std::min<int64_t>(n, count - pos);
    pos += static_cast<int32_t>(skipped);
    return skipped;
}

}  // namespace java::io
