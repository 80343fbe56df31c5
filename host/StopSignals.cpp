#include "host/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "host/ExitStatus.h"
#include "host/Launcher.h"
#include "host/LogCapture.h"
#include "runtime/lang/UncaughtHandler.h"

namespace {

// How long an ending without the orderly stop waits for the application's save.
constexpr std::chrono::milliseconds SAVE_BOUND{2000};
// And for the output written meanwhile to reach whoever reads it.
constexpr std::chrono::milliseconds OUTPUT_BOUND{1000};

int wakeEnds[2] = {-1, -1};

// Held by an ending without the orderly stop until the process is gone, and by the program's own
// end while it says it has begun, so that only one of them ends the process.
std::mutex endLock;
bool orderlyEnd = false;
std::vector<std::pair<std::string, bool>> removals;

// Only what a signal handler may do: a write to a pipe that never blocks.
extern "C" void noteStop(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(wakeEnds[1], &byte, 1);
    errno = saved;
}

void say(const std::string& line) {
    // Straight to the descriptor: a thread stuck in a write may hold the stream's lock.
    [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
}

// The runtime's destroy, as the terminate makes it, on a thread of its own: a stuck thread may
// hold what it needs.
void saveWithin(std::chrono::milliseconds bound) {
    struct Saving {
        std::mutex lock;
        std::condition_variable changed;
        bool done = false;
    };
    auto saving = std::make_shared<Saving>();
    std::thread([saving] {
        java::lang::runGuarded(xyzDestroy);
        std::lock_guard guard(saving->lock);
        saving->done = true;
        saving->changed.notify_all();
    }).detach();
    std::unique_lock lock(saving->lock);
    saving->changed.wait_for(lock, bound, [&] { return saving->done; });
}

void removeDirectories() {
    for (const auto& [directory, onlyWhenEmpty] : removals) {
        std::error_code ignored;
        if (onlyWhenEmpty) std::filesystem::remove(directory, ignored);
        else std::filesystem::remove_all(directory, ignored);
    }
}

// The orderly stop overran its bound: what the application can save is saved, this run's
// directories go, and the process ends. Returns when the program's own end has begun meanwhile.
void endOverdue() {
    std::unique_lock guard(endLock);
    if (orderlyEnd) return;
    saveWithin(SAVE_BOUND);
    LogCapture::passOnWithin(OUTPUT_BOUND);
    removeDirectories();
    say("lexivo-quiz: the program did not stop within " + std::to_string(stopsignals::STOP_BOUND.count()) +
        " ms of the stop signal; it ends without its orderly stop\n");
    // As a runtime that outlived the terminate ends.
    ::_exit(exitstatus::RUNTIME_OUTLIVED_TERMINATE);
}

// A second Ctrl-C ends the process at once, as the interrupt it is, with only this run's directories removed.
[[noreturn]] void endInterrupted() {
    endLock.lock();
    removeDirectories();
    ::signal(SIGINT, SIG_DFL);
    ::kill(::getpid(), SIGINT);
    ::_exit(128 + SIGINT);
}

void watch(sigset_t stopSignals) {
    ::pthread_sigmask(SIG_UNBLOCK, &stopSignals, nullptr);
    std::optional<std::chrono::steady_clock::time_point> deadline;
    int interrupts = 0;
    for (;;) {
        int timeout = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
            timeout = static_cast<int>(std::max<int64_t>(left.count(), 0));
        }
        pollfd wake{wakeEnds[0], POLLIN, 0};
        const int ready = ::poll(&wake, 1, timeout);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return;
        if (ready == 0) {
            endOverdue();
            deadline.reset();
            continue;
        }
        char signals[64];
        const ssize_t got = ::read(wakeEnds[0], signals, sizeof signals);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        for (ssize_t i = 0; i < got; ++i)
            if (signals[i] == SIGINT && ++interrupts == 2) endInterrupted();
        // A stop asked again while the first is obeyed is the same request.
        if (deadline) continue;
        deadline = std::chrono::steady_clock::now() + stopsignals::STOP_BOUND;
        launcher::askToTerminate();
    }
}

// Leaves a signal the program was started with ignored as it is: a background job's Ctrl-C, or nohup's hang-up.
bool handleUnlessIgnored(int signal, const struct sigaction& action) {
    struct sigaction inherited {};
    if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) return false;
    return ::sigaction(signal, &action, nullptr) == 0;
}

}  // namespace

namespace stopsignals {

void install() {
    if (::pipe2(wakeEnds, O_CLOEXEC) != 0) return;
    ::fcntl(wakeEnds[1], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        if (handleUnlessIgnored(signal, action)) sigaddset(&stopSignals, signal);
    // A closed output stays noted, as every later write to it raises SIGPIPE again. It is raised on
    // the writing thread, so it stays unblocked everywhere.
    ::sigaction(SIGPIPE, &action, nullptr);
    // The stop signals reach the watcher only, which always takes them at once: a thread stuck in a
    // call (or one whose call a signal would cut short) never has to. Every thread started from
    // here on inherits the mask; started programs get their own.
    ::pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // The watcher waits for the process's life; it holds nothing that exit tears down.
    std::thread(watch, stopSignals).detach();
}

void removeWhenForced(const std::string& directory, bool onlyWhenEmpty) {
    std::lock_guard guard(endLock);
    removals.emplace_back(directory, onlyWhenEmpty);
}

void orderlyEndReached() {
    std::lock_guard guard(endLock);
    orderlyEnd = true;
}

}  // namespace stopsignals
