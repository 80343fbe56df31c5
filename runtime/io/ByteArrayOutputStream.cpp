#include "runtime/io/ByteArrayOutputStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "runtime/io/IOException.h"
#include "runtime/lang/System.h"

namespace java::io {

using java::lang::jnew;

void ByteArrayOutputStream::makeRoom(int32_t extra) {
    const int64_t needed = static_cast<int64_t>(m_bytes.size()) + extra;
    if (needed > std::numeric_limits<int32_t>::max()) throw IOException("byte array output exceeds the largest array");
    if (static_cast<size_t>(needed) <= m_bytes.capacity()) return;
    const int64_t doubled = static_cast<int64_t>(m_bytes.capacity()) * 2;
    m_bytes.reserve(static_cast<size_t>(
        std::min<int64_t>(std::max(needed, doubled), std::numeric_limits<int32_t>::max())));
}

void ByteArrayOutputStream::write(int32_t byte) {
    makeRoom(1);
    m_bytes.push_back(static_cast<signed char>(byte));
}

void ByteArrayOutputStream::write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    makeRoom(len);
    m_bytes.insert(m_bytes.end(), b->data + off, b->data + off + len);
}

JavaPtr<JArray<signed char>> ByteArrayOutputStream::toByteArray() {
    auto copy = jnew<JArray<signed char>>(size());
    if (!m_bytes.empty()) std::memcpy(copy->data, m_bytes.data(), m_bytes.size());
    return copy;
}

}  // namespace java::io
