// Whether the quiz's progress reaches its documents directory. A failed save is otherwise silent:
// the first of a run, and the first that works again after one, are reported on standard error,
// and the program's exit status tells whether the last save of the run failed.
#pragma once

#include <string>

namespace savereport {

void saveFailed(const std::string& reason);
void saveWorked();
bool lastSaveFailed();

}  // namespace savereport
