#include "host/StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "host/Launcher.h"

namespace {

int wakeEnds[2] = {-1, -1};

// Only what a signal handler may do: a write to a pipe that never blocks.
extern "C" void noteStop(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeEnds[1], &byte, 1);
    errno = saved;
}

void watch() {
    char bytes[64];
    for (;;) {
        const ssize_t got = ::read(wakeEnds[0], bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        launcher::askToTerminate();
    }
}

}  // namespace

namespace stopsignals {

void install() {
    if (::pipe2(wakeEnds, O_CLOEXEC) != 0) return;
    ::fcntl(wakeEnds[1], F_SETFL, O_NONBLOCK);
    // The watcher blocks in read for the process's life; it holds nothing that exit tears down.
    std::thread(watch).detach();
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // A second Ctrl-C or SIGTERM, while the first is still being obeyed, ends the process at once;
    // a closed output stays noted, as every later write to it raises SIGPIPE again.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace stopsignals
