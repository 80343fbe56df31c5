// Reads big-endian numbers and modified UTF-8 text from a wrapped input stream.
#pragma once

#include "runtime/io/InputStream.h"

namespace java::lang { class String; }

namespace java::io {

class DataInputStream : public InputStream {
    JAVA_CLASS(DataInputStream, "java.io.DataInputStream", InputStream)
public:
    DataInputStream() = default;
    explicit DataInputStream(JavaPtr<InputStream> in) { WENDinvokeconstructor(std::move(in)); }
    // Only stores the stream; a null one fails with NullPointerException on first use.
    void WENDinvokeconstructor(JavaPtr<InputStream> in) { m_in = std::move(in); }

    int32_t available() override { return m_in->available(); }
    void close() override { m_in->close(); }
    void mark(int32_t readLimit) override { m_in->mark(readLimit); }
    bool markSupported() override { return m_in->markSupported(); }
    int32_t read() override { return m_in->read(); }
    using InputStream::read;
    // -1 when len is 0 or less, as well as at the end.
    int32_t read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    void reset() override { m_in->reset(); }
    int64_t skip(int64_t n) override { return m_in->skip(n); }

    void readFully(const JavaPtr<JArray<signed char>>& b);
    void readFully(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len);
    int32_t skipBytes(int32_t n);

    // read() != 0: true at the end of the stream, without an exception.
    bool readBoolean();
    signed char readByte();
    int32_t readUnsignedByte();
    int16_t readShort();
    int32_t readUnsignedShort();
    char16_t readChar();
    // -1 at the end of the stream, without an exception.
    int32_t readInt();
    int64_t readLong();
    float readFloat();
    double readDouble();
    JavaPtr<java::lang::String> readUTF();

private:
    int32_t readRequired();

    JavaPtr<InputStream> m_in;
};

}  // namespace java::io
