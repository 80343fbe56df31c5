// The largest counts the saved progress holds. The loader refuses a record past them, so the
// answer step stops its counters there: every record the quiz writes loads again.
#pragma once

#include <cstdint>

namespace progresslimits {

// No player answers a billion questions; below it, sums and increments of counts never overflow.
constexpr int32_t MOST_COUNTED = 1'000'000'000;
// The level's right answers are taken as a percentage.
constexpr int32_t MOST_RIGHT_ON_LEVEL = MOST_COUNTED / 100;
// Hints and skips held.
constexpr int32_t MOST_HELD = 9;

inline void countOne(int32_t& count, int32_t most = MOST_COUNTED) {
    if (count < most) ++count;
}

}  // namespace progresslimits
