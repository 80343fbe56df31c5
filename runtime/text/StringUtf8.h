// UTF-8 decoding for String's byte-array constructor.
#pragma once

#include <cstdint>
#include <span>

namespace java::lang::detail {

// Decodes into `out`, which must hold at least bytes.size() units (UTF-8 never yields more
// units than bytes), and returns the unit count. Each ill-formed sequence, including one cut
// off by the end of the input, gives one U+FFFD and decoding resumes at the first byte that
// does not belong to it; code points above U+FFFF become surrogate pairs.
int32_t decodeUtf8(std::span<const uint8_t> bytes, char16_t* out);

}  // namespace java::lang::detail
