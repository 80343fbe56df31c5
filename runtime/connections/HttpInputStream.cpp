#include "runtime/connections/HttpInputStream.h"

#include <cstring>
#include <limits>

#include "runtime/io/IOException.h"

namespace javax::microedition::io {

int32_t HttpInputStream::write(const signed char* bytes, int32_t n) {
    std::lock_guard lock(m_mutex);
    if (n <= 0) return count;
    const int32_t kept = buf ? buf->length : 0;
    if (n > std::numeric_limits<int32_t>::max() - kept) throw java::io::IOException();
    auto grown = java::lang::jnew<JArray<signed char>>(kept + n);
    if (kept > 0) std::memcpy(grown->data, buf->data, static_cast<size_t>(kept));
    std::memcpy(grown->data + kept, bytes, static_cast<size_t>(n));
    buf = std::move(grown);
    count = buf->length;
    return count;
}

void HttpInputStream::adopt(JavaPtr<JArray<signed char>> bytes) {
    std::lock_guard lock(m_mutex);
    WENDinvokeconstructor(std::move(bytes));
}

int32_t HttpInputStream::available() {
    std::lock_guard lock(m_mutex);
    return ByteArrayInputStream::available();
}

void HttpInputStream::close() {
    std::lock_guard lock(m_mutex);
    ByteArrayInputStream::close();
}

void HttpInputStream::mark(int32_t readLimit) {
    std::lock_guard lock(m_mutex);
    ByteArrayInputStream::mark(readLimit);
}

int32_t HttpInputStream::read() {
    std::lock_guard lock(m_mutex);
    return ByteArrayInputStream::read();
}

int32_t HttpInputStream::read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    std::lock_guard lock(m_mutex);
    return ByteArrayInputStream::read(b, off, len);
}

void HttpInputStream::reset() {
    std::lock_guard lock(m_mutex);
    ByteArrayInputStream::reset();
}

int64_t HttpInputStream::skip(int64_t n) {
    std::lock_guard lock(m_mutex);
    return ByteArrayInputStream::skip(n);
}

}  // namespace javax::microedition::io
