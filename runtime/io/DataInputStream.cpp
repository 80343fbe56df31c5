#include "runtime/io/DataInputStream.h"

#include <bit>
#include <vector>

#include "runtime/io/EOFException.h"
#include "runtime/io/UTFDataFormatException.h"
#include "runtime/lang/System.h"
#include "runtime/text/String.h"

namespace java::io {

using java::lang::jnew;

int32_t DataInputStream::read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    if (len <= 0) return -1;
    return m_in->read(b, off, len);
}

int32_t DataInputStream::readRequired() {
    const int32_t value = m_in->read();
    if (value < 0) throw EOFException();
    return value;
}

void DataInputStream::readFully(const JavaPtr<JArray<signed char>>& b) { readFully(b, 0, b->length); }

void DataInputStream::readFully(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    int32_t done = 0;
    while (done < len) {
        const int32_t n = m_in->read(b, off + done, len - done);
        if (n <= 0) throw EOFException();
        done += n;
    }
}

int32_t DataInputStream::skipBytes(int32_t n) {
    int32_t skipped = 0;
    while (skipped < n) {
        const int64_t step = m_in->skip(n - skipped);
        if (step <= 0) break;
        skipped += static_cast<int32_t>(step);
    }
    return skipped;
}

bool DataInputStream::readBoolean() { return m_in->read() != 0; }

signed char DataInputStream::readByte() { return static_cast<signed char>(readRequired()); }

int32_t DataInputStream::readUnsignedByte() { return readRequired(); }

int16_t DataInputStream::readShort() { return static_cast<int16_t>(readUnsignedShort()); }

int32_t DataInputStream::readUnsignedShort() {
    const int32_t high = readRequired();
    return (high << 8) | readRequired();
}

char16_t DataInputStream::readChar() { return static_cast<char16_t>(readUnsignedShort()); }

int32_t DataInputStream::readInt() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const int32_t next = m_in->read();
        if (next < 0) return -1;
        value = (value << 8) | static_cast<uint32_t>(next);
    }
    return static_cast<int32_t>(value);
}

int64_t DataInputStream::readLong() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = (value << 8) | static_cast<uint64_t>(readRequired());
    return static_cast<int64_t>(value);
}

float DataInputStream::readFloat() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<uint32_t>(readRequired());
    return std::bit_cast<float>(value);
}

double DataInputStream::readDouble() { return std::bit_cast<double>(readLong()); }

// Modified UTF-8: one to three bytes per UTF-16 unit, so surrogates come through as they were written.
JavaPtr<java::lang::String> DataInputStream::readUTF() {
    const int32_t byteCount = readUnsignedShort();
    auto bytes = jnew<JArray<signed char>>(byteCount);
    readFully(bytes);
    std::vector<char16_t> units;
    units.reserve(static_cast<size_t>(byteCount));
    const auto at = [&](int32_t i) { return static_cast<unsigned char>(bytes->data[i]); };
    const auto continuation = [&](int32_t i) {
        if (i >= byteCount) throw UTFDataFormatException("modified UTF-8 text ends inside a character");
        if ((at(i) & 0xC0) != 0x80) throw UTFDataFormatException("malformed modified UTF-8 text");
        return at(i) & 0x3F;
    };
    for (int32_t i = 0; i < byteCount;) {
        const unsigned lead = at(i);
        if (lead < 0x80) {
            units.push_back(static_cast<char16_t>(lead));
            i += 1;
        } else if ((lead & 0xE0) == 0xC0) {
            units.push_back(static_cast<char16_t>(((lead & 0x1F) << 6) | continuation(i + 1)));
            i += 2;
        } else if ((lead & 0xF0) == 0xE0) {
            const unsigned middle = continuation(i + 1);
            units.push_back(static_cast<char16_t>(((lead & 0x0F) << 12) | (middle << 6) | continuation(i + 2)));
            i += 3;
        } else {
            throw UTFDataFormatException("malformed modified UTF-8 text");
        }
    }
    return jnew<java::lang::String>(units.data(), static_cast<int32_t>(units.size()));
}

}  // namespace java::io
