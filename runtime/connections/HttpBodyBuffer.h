// Collects a response body up to a cap. With an announced length it fills one array of that size,
// which it hands over without a copy: a body of megabytes is then allocated once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/lang/JArray.h"

namespace javax::microedition::io {

class HttpBodyBuffer {
public:
    explicit HttpBodyBuffer(size_t cap) : m_cap(cap) {}

    // Before the first bytes; a length beyond the cap is not believed.
    void announce(int64_t length);
    // False, storing nothing, when the body would pass the cap.
    bool append(const char* data, size_t n);
    size_t size() const { return m_announced ? m_filled : m_bytes.size(); }
    // The bytes as an array of exactly their length.
    JavaPtr<JArray<signed char>> takeArray();

private:
    size_t m_cap;
    JavaPtr<JArray<signed char>> m_announced;
    size_t m_filled = 0;
    std::vector<signed char> m_bytes;  // without an announced length, or past it
};

}  // namespace javax::microedition::io
