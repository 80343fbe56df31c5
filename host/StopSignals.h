// Ctrl-C, SIGTERM, SIGHUP (the terminal closed) and a closed standard output (SIGPIPE) end the
// program as a terminate does, with its exit status, so that the application saves and its
// temporary documents go. The handlers only wake a watcher thread, which asks the launcher for the
// terminate. A stop signal the program inherited as ignored stays ignored.
#pragma once

#include <chrono>
#include <string>

namespace stopsignals {

// How long the orderly stop may take after the first stop signal before the program ends without
// it. Longer than the terminate's own wait for the runtime, which ends orderly with its status.
inline constexpr std::chrono::milliseconds STOP_BOUND{10000};

// Installs the handlers and starts the watcher; once per process, on the main thread before any
// other thread starts and before anything a stop should undo.
void install();
// A directory this run made that an ending without the orderly stop removes too: whole, or only
// when it is empty.
void removeWhenForced(const std::string& directory, bool onlyWhenEmpty);
// The program is past its orderly stop and tidies up itself: an overdue stop no longer ends it.
void orderlyEndReached();

}  // namespace stopsignals
