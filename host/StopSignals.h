// Ctrl-C, SIGTERM and a closed standard output (SIGPIPE) end the program as a terminate does, with
// its exit status, so that the application saves and its temporary documents go. The handlers only note the signal
// and wake a watcher thread, which hands the stop to the UI thread.
#pragma once

#include <functional>

namespace stopsignals {

// Installs the handlers and starts the watcher; once per process.
void install();
// The function the UI thread runs at the first stop signal (at once, posted, when one came
// already); null for none. Called on the UI thread.
void onStop(std::function<void()> stop);

}  // namespace stopsignals
