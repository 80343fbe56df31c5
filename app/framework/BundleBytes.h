// Bounds-checked big-endian reads of bundle data: a read outside the bytes is an IOException, so
// that a short or damaged file can never be read past its end.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "runtime/io/ByteArrayLength.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/JArray.h"

class BundleBytes {
public:
    explicit BundleBytes(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    // The bytes of a byte array; an empty view for null.
    static std::span<const uint8_t> of(const JavaPtr<JArray<signed char>>& array) {
        if (!array || array->length <= 0) return {};
        return {reinterpret_cast<const uint8_t*>(array->data), static_cast<size_t>(array->length)};
    }

    size_t size() const { return m_bytes.size(); }
    uint8_t u8(int64_t at) const { return slice(at, 1)[0]; }
    int8_t i8(int64_t at) const { return static_cast<int8_t>(u8(at)); }
    int16_t i16(int64_t at) const { return static_cast<int16_t>(be(at, 2)); }
    uint16_t u16(int64_t at) const { return static_cast<uint16_t>(be(at, 2)); }
    int32_t i32(int64_t at) const { return static_cast<int32_t>(be(at, 4)); }
    int64_t i64(int64_t at) const { return static_cast<int64_t>(be(at, 8)); }
    std::span<const uint8_t> slice(int64_t at, int64_t length) const {
        if (at < 0 || length < 0 || at > static_cast<int64_t>(m_bytes.size()) ||
            length > static_cast<int64_t>(m_bytes.size()) - at)
            throw java::io::IOException("bundle data ends before a field it announces");
        return m_bytes.subspan(static_cast<size_t>(at), static_cast<size_t>(length));
    }

    // A new byte array holding a copy of the bytes.
    static JavaPtr<JArray<signed char>> copy(std::span<const uint8_t> bytes) {
        auto array = java::lang::jnew<JArray<signed char>>(java::io::byteArrayLength(bytes.size()));
        if (!bytes.empty()) std::memcpy(array->data, bytes.data(), bytes.size());
        return array;
    }

private:
    uint64_t be(int64_t at, int64_t n) const {
        uint64_t value = 0;
        for (const uint8_t b : slice(at, n)) value = value << 8 | b;
        return value;
    }

    std::span<const uint8_t> m_bytes;
};
