// The data-stream string form: a big-endian u16 byte length, then modified UTF-8 (NUL as two
// bytes, characters above U+FFFF as two three-byte surrogates).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace writers {

// Throws std::length_error when the encoded text exceeds 65535 bytes.
void appendDataStreamText(std::vector<uint8_t>& out, std::string_view utf8);

}  // namespace writers
