// The response body of an HTTP exchange, held whole in memory. Unlike its base it takes a lock
// for every operation, since a connection may be closed on one thread while another reads.
#pragma once

#include <mutex>

#include "runtime/io/ByteArrayInputStream.h"

namespace javax::microedition::io {

class HttpInputStream : public java::io::ByteArrayInputStream {
    JAVA_CLASS(HttpInputStream, "javax.microedition.io.HttpInputStream", java::io::ByteArrayInputStream)
public:
    HttpInputStream() : ByteArrayInputStream(java::lang::jnew<JArray<signed char>>(0)) {}

    // Appends n bytes behind those held; the read position stays. Returns the new count.
    int32_t write(const signed char* bytes, int32_t n);
    void write(signed char b) { write(&b, 1); }
    // Replaces an empty stream's bytes by the array itself, without a copy.
    void adopt(JavaPtr<JArray<signed char>> bytes);

    int32_t available() override;
    void close() override;
    void mark(int32_t readLimit) override;
    int32_t read() override;
    using ByteArrayInputStream::read;
    int32_t read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    void reset() override;
    int64_t skip(int64_t n) override;

private:
    std::mutex m_mutex;
};

}  // namespace javax::microedition::io
