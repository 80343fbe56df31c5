#include "host/DesktopBrowser.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

void openInDesktopBrowser(const char* url) {
    // The URL is one argument of the opener, never shell text.
    char opener[] = "xdg-open";
    char* arguments[] = {opener, const_cast<char*>(url), nullptr};
    pid_t child = 0;
    // Without the signal mask of the thread that starts it, which keeps the stop signals for the
    // program's watcher.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int error = ::posix_spawnp(&child, opener, nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        std::fprintf(stderr, "cannot open %s: xdg-open did not start: %s\n", url, std::strerror(error));
        return;
    }
    // Reaped aside, so that the UI thread never waits for the browser.
    std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
}
