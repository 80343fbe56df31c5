#include "runtime/io/DataOutputStream.h"

#include <bit>

#include "runtime/io/UTFDataFormatException.h"
#include "runtime/text/String.h"

namespace java::io {

using java::lang::jnew;

void DataOutputStream::writeBigEndian(uint64_t value, int byteCount) {
    auto bytes = jnew<JArray<signed char>>(byteCount);
    for (int i = byteCount - 1; i >= 0; --i, value >>= 8) bytes->data[i] = static_cast<signed char>(value & 0xFF);
    m_out->write(bytes, 0, byteCount);
}

void DataOutputStream::writeShort(int32_t value) { writeBigEndian(static_cast<uint16_t>(value), 2); }

void DataOutputStream::writeInt(int32_t value) { writeBigEndian(static_cast<uint32_t>(value), 4); }

void DataOutputStream::writeLong(int64_t value) { writeBigEndian(static_cast<uint64_t>(value), 8); }

void DataOutputStream::writeFloat(float value) { writeBigEndian(std::bit_cast<uint32_t>(value), 4); }

void DataOutputStream::writeDouble(double value) { writeBigEndian(std::bit_cast<uint64_t>(value), 8); }

void DataOutputStream::writeUTF(const JavaPtr<java::lang::String>& text) {
    const std::u16string_view units = text->view();
    int64_t byteCount = 0;
    for (char16_t unit : units) byteCount += (unit != 0 && unit < 0x80) ? 1 : unit < 0x800 ? 2 : 3;
    if (byteCount > 0xFFFF) throw UTFDataFormatException("text needs 65536 bytes or more");

    auto bytes = jnew<JArray<signed char>>(static_cast<int32_t>(byteCount) + 2);
    int32_t at = 0;
    const auto put = [&](unsigned value) { bytes->data[at++] = static_cast<signed char>(value); };
    put(static_cast<unsigned>(byteCount >> 8) & 0xFF);
    put(static_cast<unsigned>(byteCount) & 0xFF);
    for (char16_t unit : units) {
        if (unit != 0 && unit < 0x80) {
            put(unit);
        } else if (unit < 0x800) {
            put(0xC0 | (unit >> 6));
            put(0x80 | (unit & 0x3F));
        } else {
            put(0xE0 | (unit >> 12));
            put(0x80 | ((unit >> 6) & 0x3F));
            put(0x80 | (unit & 0x3F));
        }
    }
    m_out->write(bytes, 0, at);
}

}  // namespace java::io
