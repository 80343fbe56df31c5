// Ctrl-C, SIGTERM, SIGHUP (the terminal closed) and a closed standard output (SIGPIPE) end the
// program as a terminate does, with its exit status, so that the application saves and its
// temporary documents go. The handlers only wake a watcher thread, which asks the launcher for the
// terminate and ends the process itself when the stop overruns its bound, whatever thread or
// output is stuck. A stop signal the program inherited as ignored stays ignored.
#pragma once

#include <chrono>
#include <string>

namespace stopsignals {

// How long the orderly stop may take after the first stop signal before the program ends without
// it. Longer than the terminate's own wait for the runtime, which ends orderly with its status.
inline constexpr std::chrono::milliseconds STOP_BOUND{10000};
// How much longer an overdue stop takes at most: a save under way (or the orderly stop finishing
// meanwhile) gets the first part, the output written so far the rest.
inline constexpr std::chrono::milliseconds FORCED_END_BOUND{3000};

// Installs the handlers and starts the watcher; once per process, on the main thread before any
// other thread starts and before anything a stop should undo.
void install();
// A directory this run made that an ending without the orderly stop removes too: whole, or only
// when it is empty.
void removeWhenForced(const std::string& directory, bool onlyWhenEmpty);
// The program has stopped in order and will end with the status: an overdue stop ends it with that
// status. When the watcher is already ending the process, this never returns, so that nothing the
// watcher uses is torn down under it.
void orderlyEndReached(int status);

}  // namespace stopsignals
