// The wall clock behind System::currentTimeMillis and the monotonic clock that paces loops;
// tests replace either with a fake.
#pragma once

#include <cstdint>

namespace java::lang::clocks {

using MillisSource = int64_t (*)();

int64_t wallMillis();
int64_t monotonicMillis();

// A null source restores the system clock.
void setWallSource(MillisSource source);
void setMonotonicSource(MillisSource source);

}  // namespace java::lang::clocks
