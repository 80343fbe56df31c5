// Writes big-endian numbers and modified UTF-8 text to a wrapped output stream.
#pragma once

#include "runtime/io/OutputStream.h"

namespace java::lang { class String; }

namespace java::io {

class DataOutputStream : public OutputStream {
    JAVA_CLASS(DataOutputStream, "java.io.DataOutputStream", OutputStream)
public:
    DataOutputStream() = default;
    explicit DataOutputStream(JavaPtr<OutputStream> out) { WENDinvokeconstructor(std::move(out)); }
    // Only stores the stream; a null one fails with NullPointerException on first use.
    void WENDinvokeconstructor(JavaPtr<OutputStream> out) { m_out = std::move(out); }

    void close() override { m_out->close(); }
    void flush() override { m_out->flush(); }
    using OutputStream::write;
    void write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override { m_out->write(b, off, len); }
    void write(int32_t byte) override { m_out->write(byte); }

    void writeBoolean(bool value) { m_out->write(value ? 1 : 0); }
    void writeByte(int32_t value) { m_out->write(value); }
    void writeShort(int32_t value);
    void writeChar(int32_t value) { writeShort(value); }
    void writeInt(int32_t value);
    void writeLong(int64_t value);
    void writeFloat(float value);
    void writeDouble(double value);
    // A 16-bit byte count, then one to three bytes per unit (U+0000 as two);
    // UTFDataFormatException, with nothing written, when the text needs 65536 bytes or more.
    void writeUTF(const JavaPtr<java::lang::String>& text);

private:
    void writeBigEndian(uint64_t value, int byteCount);

    JavaPtr<OutputStream> m_out;
};

}  // namespace java::io
