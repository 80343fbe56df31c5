#include "host/DesktopBrowser.h"

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
    if (const int error = ::posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ); error != 0) {
        std::fprintf(stderr, "cannot open %s: xdg-open did not start: %s\n", url, std::strerror(error));
        return;
    }
    // Reaped aside, so that the UI thread never waits for the browser.
    std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
}
