// The "EVT" lines the demonstration MIDlets write: to the standard output, where a headless script
// waits for them, and to a list that the in-process tests read.
#pragma once

#include <string>
#include <vector>

namespace demo {

// Writes "EVT " + the formatted text as one line.
[[gnu::format(printf, 1, 2)]] void evt(const char* format, ...);
// The lines written since the last call, without the "EVT " prefix.
std::vector<std::string> takeEvents();

}  // namespace demo
