// A growing in-memory byte sink.
#pragma once

#include <vector>

#include "runtime/io/OutputStream.h"

namespace java::io {

class ByteArrayOutputStream : public OutputStream {
    JAVA_CLASS(ByteArrayOutputStream, "java.io.ByteArrayOutputStream", OutputStream)
public:
    static constexpr int32_t INITIAL_CAPACITY = 32;

    ByteArrayOutputStream() { m_bytes.reserve(INITIAL_CAPACITY); }

    void close() override {}
    void flush() override {}
    using OutputStream::write;
    void write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    void write(int32_t byte) override;
    virtual void reset() { m_bytes.clear(); }
    virtual int32_t size() { return static_cast<int32_t>(m_bytes.size()); }
    virtual JavaPtr<JArray<signed char>> toByteArray();

private:
    // Doubles the capacity, so appending stays linear; IOException past the largest array.
    void makeRoom(int32_t extra);

    std::vector<signed char> m_bytes;
};

}  // namespace java::io
