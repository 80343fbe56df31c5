// The display library's bridge functions answered by the tests: a quit flag they set and counts of
// what reached the platform.
#pragma once

#include <atomic>

namespace lcduitest {

inline std::atomic<bool> quitFlag{false};
inline std::atomic<int> framesPresented{0};
inline std::atomic<int> vibrations{0};

}  // namespace lcduitest
