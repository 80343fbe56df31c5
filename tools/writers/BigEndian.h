// Appends big-endian numbers to a byte vector, the byte order of every bundle format.
#pragma once

#include <cstdint>
#include <vector>

namespace writers {

inline void put8(std::vector<uint8_t>& out, int64_t v) { out.push_back(static_cast<uint8_t>(v)); }
inline void put16(std::vector<uint8_t>& out, int64_t v) {
    put8(out, v >> 8);
    put8(out, v);
}
inline void put32(std::vector<uint8_t>& out, int64_t v) {
    put16(out, v >> 16);
    put16(out, v);
}
inline void put64(std::vector<uint8_t>& out, int64_t v) {
    put32(out, v >> 32);
    put32(out, v);
}

}  // namespace writers
