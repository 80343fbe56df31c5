#include "runtime/lang/Clocks.h"

#include <atomic>
#include <ctime>

namespace java::lang::clocks {

namespace {

int64_t readClock(clockid_t id) {
    timespec now{};
    clock_gettime(id, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
int64_t systemWall() { return readClock(CLOCK_REALTIME); }
int64_t systemMonotonic() { return readClock(CLOCK_MONOTONIC); }

std::atomic<MillisSource> wallSource{systemWall};
std::atomic<MillisSource> monotonicSource{systemMonotonic};

}  // namespace

int64_t wallMillis() { return wallSource.load(std::memory_order_relaxed)(); }
int64_t monotonicMillis() { return monotonicSource.load(std::memory_order_relaxed)(); }

void setWallSource(MillisSource source) { wallSource.store(source ? source : systemWall); }
void setMonotonicSource(MillisSource source) { monotonicSource.store(source ? source : systemMonotonic); }

}  // namespace java::lang::clocks
