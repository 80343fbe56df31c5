// A count of bytes from outside (a file's size, a body's length) as the length of a byte array:
// IOException when no array is that long, so that the count never wraps to a short or negative one.
#pragma once

#include <cstdint>
#include <limits>

#include "runtime/io/IOException.h"

namespace java::io {

inline int32_t byteArrayLength(uint64_t count) {
    if (count > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        throw IOException("more bytes than the largest array holds");
    return static_cast<int32_t>(count);
}

}  // namespace java::io
