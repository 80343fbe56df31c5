// The program's exit statuses other than 0, a clean run: set by the program around the MIDlet and
// by the quiz's own entry, and read by scripts and tests that run the program.
#pragma once

namespace exitstatus {

// A script's command failed, or the script stopped, while the application ran.
constexpr int SCRIPT_FAILED = 1;
// The program could not start: bad options or script lines, unusable directories, a documents
// directory in use, a bundle the MIDlet cannot start from or its first loading cannot read.
constexpr int REFUSED_START = 2;
// The runtime was still running after the terminate's wait.
constexpr int RUNTIME_OUTLIVED_TERMINATE = 3;
// The window's display went away and ended the application.
constexpr int DISPLAY_LOST = 4;
// The last save of the player's progress in the run failed.
constexpr int LAST_SAVE_FAILED = 5;

}  // namespace exitstatus
