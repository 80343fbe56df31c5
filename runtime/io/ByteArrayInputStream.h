// An input stream over a byte array that it shares with its maker.
#pragma once

#include "runtime/io/InputStream.h"

namespace java::io {

class ByteArrayInputStream : public InputStream {
    JAVA_CLASS(ByteArrayInputStream, "java.io.ByteArrayInputStream", InputStream)
public:
    ByteArrayInputStream() = default;
    explicit ByteArrayInputStream(JavaPtr<JArray<signed char>> data) { WENDinvokeconstructor(std::move(data)); }
    // Reads the whole array from index 0; a null array gives an empty stream.
    void WENDinvokeconstructor(JavaPtr<JArray<signed char>> data);

    int32_t available() override { return count - pos; }
    // Drops the array but keeps count; later reads see the end of the stream.
    void close() override { buf = nullptr; }
    void mark(int32_t readLimit) override { markedPosition = pos; }
    bool markSupported() override { return true; }
    int32_t read() override;
    using InputStream::read;
    int32_t read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    void reset() override { pos = markedPosition; }
    int64_t skip(int64_t n) override;

    JavaPtr<JArray<signed char>> buf;
    int32_t count = 0;
    int32_t pos = 0;
    int32_t markedPosition = 0;
};

}  // namespace java::io
