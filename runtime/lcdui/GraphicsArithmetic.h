// Overflow-free arithmetic for Graphics: coordinates are widened to 64 bits and narrowed with saturation.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace javax::microedition::lcdui::graphicsmath {

inline int32_t sat32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

inline bool fits32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// Java's int addition, which wraps.
inline int32_t wrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// a * b / c truncating toward zero, with the product in 128 bits; c must not be 0.
inline int64_t mulDiv(int64_t a, int64_t b, int64_t c) {
    return static_cast<int64_t>(static_cast<__int128>(a) * b / c);
}

// Truncation of a double that may be huge, infinite or NaN; the bound keeps later sums in range.
inline int64_t truncBounded(double v) {
    constexpr double bound = 1099511627776.0;  // 2^40, far beyond any coordinate
    if (std::isnan(v)) return 0;
    return static_cast<int64_t>(std::clamp(v, -bound, bound));
}

}  // namespace javax::microedition::lcdui::graphicsmath
