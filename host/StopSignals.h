// Ctrl-C, SIGTERM and a closed standard output (SIGPIPE) end the program as a terminate does, with
// its exit status, so that the application saves and its temporary documents go. The handlers only
// wake a watcher thread, which asks the launcher for the terminate.
#pragma once

namespace stopsignals {

// Installs the handlers and starts the watcher; once per process.
void install();

}  // namespace stopsignals
