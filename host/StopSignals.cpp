#include "host/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <functional>
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

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The parts of the forced end, each ending this long after the orderly stop overran: its first
// line and the save's share, the output's, the removal of this run's directories, the last line.
constexpr milliseconds LINE_SHARE{250};
constexpr milliseconds SAVE_SHARE_END{2000};
constexpr milliseconds OUTPUT_SHARE_END{2500};
constexpr milliseconds REMOVAL_SHARE_END{2750};

// Bytes on the wake pipe besides the stop signals' numbers (all below them).
constexpr char ORDERLY_END = 100;
constexpr char FIRST_STEP = 101;

int wakeEnds[2] = {-1, -1};
sigset_t stopSignals;

// What the watcher shares with the program: made once and never destroyed, as the watcher may
// still be at work while exit destroys the statics. The lock is never held across a call that
// can block.
struct Watch {
    std::mutex lock;
    std::optional<int> orderlyStatus;
    bool forcedEnd = false;
    std::vector<std::pair<std::string, bool>> removals;
};

Watch& watch() {
    static Watch* const instance = new Watch;
    return *instance;
}

// Only what a signal handler may do: a write to a pipe that never blocks.
extern "C" void noteStop(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(wakeEnds[1], &byte, 1);
    errno = saved;
}

// Ends the process at once. Straight to the kernel: the C library's _exit, as a sanitizer wraps
// it, may flush streams whose locks a stuck thread holds.
[[noreturn]] void endProcess(int status) {
    ::syscall(SYS_exit_group, status);
    std::abort();
}

void removeDirectories() {
    std::vector<std::pair<std::string, bool>> removals;
    {
        std::lock_guard guard(watch().lock);
        removals = watch().removals;
    }
    for (const auto& [directory, onlyWhenEmpty] : removals) {
        std::error_code ignored;
        if (onlyWhenEmpty) std::filesystem::remove(directory, ignored);
        else std::filesystem::remove_all(directory, ignored);
    }
}

// A second Ctrl-C ends the process at once, as the interrupt it is, with only this run's directories removed.
[[noreturn]] void endInterrupted() {
    removeDirectories();
    ::signal(SIGINT, SIG_DFL);
    ::kill(::getpid(), SIGINT);
    endProcess(128 + SIGINT);
}

int interrupts = 0;  // the watcher's own

// The next byte on the wake pipe, or 0 once the deadline (if any) has passed or the pipe fails. A
// second Ctrl-C ends the process here, whatever the watcher was waiting for.
char nextWake(std::optional<Clock::time_point> deadline) {
    for (;;) {
        int timeout = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0) return 0;
            timeout = static_cast<int>(left.count());
        }
        pollfd wake{wakeEnds[0], POLLIN, 0};
        const int ready = ::poll(&wake, 1, timeout);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return 0;
        if (ready == 0) continue;
        char byte = 0;
        const ssize_t got = ::read(wakeEnds[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        if (byte == SIGINT && ++interrupts == 2) endInterrupted();
        return byte;
    }
}

// Work of the forced end that may block for good (a stuck lock, an output nobody reads) runs on a
// thread of its own, which leaves the stop signals to the watcher as every other thread does.
void startThread(std::function<void()> work) {
    std::thread([work = std::move(work)] {
        ::pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        work();
    }).detach();
}

// Runs the work on a thread of its own and waits for it until the deadline; true when it finished
// in time and answered true.
bool runStep(std::function<bool()> work, Clock::time_point deadline) {
    static int steps = 0;
    const char done = static_cast<char>(FIRST_STEP + steps++ % 16);
    auto succeeded = std::make_shared<std::atomic<bool>>(false);
    startThread([work = std::move(work), succeeded, done] {
        succeeded->store(work());
        [[maybe_unused]] const ssize_t ignored = ::write(wakeEnds[1], &done, 1);
    });
    for (;;) {
        const char byte = nextWake(deadline);
        if (byte == 0) return false;
        if (byte == done) return succeeded->load();
    }
}

// Standard error may be a terminal whose output is stopped: the line is written on a step.
void say(std::string line, Clock::time_point deadline) {
    runStep(
        [line = std::move(line)] {
            [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
            return true;
        },
        deadline);
}

std::optional<int> orderlyStatus() {
    std::lock_guard guard(watch().lock);
    return watch().orderlyStatus;
}

std::string boundText() { return std::to_string(stopsignals::STOP_BOUND.count()) + " ms"; }

// The process was not gone when the bound passed. What the orderly stop left undone is done
// within FORCED_END_BOUND, and the process ends with the orderly stop's status when it has stopped
// in order by then, else as a runtime that outlived the terminate.
[[noreturn]] void endOverdue(Clock::time_point overrun) {
    std::optional<int> status;
    {
        std::lock_guard guard(watch().lock);
        watch().forcedEnd = true;
        status = watch().orderlyStatus;
    }
    const bool stoppedInOrder = status.has_value();
    if (!stoppedInOrder) {
        say("lexivo-quiz: the program did not stop within " + boundText() +
                " of the stop signal; it ends after saving what it can\n",
            overrun + LINE_SHARE);
        // The runtime's destroy, as the terminate makes it; one already under way goes on.
        startThread([] { java::lang::runGuarded(xyzDestroy); });
        // The save's share: a save under way finishes, and the orderly stop may still end meanwhile.
        while (!orderlyStatus() && nextWake(overrun + SAVE_SHARE_END) != 0) {
        }
    }
    const auto outputEnd = overrun + OUTPUT_SHARE_END;
    const bool passedOn = runStep(
        [outputEnd] {
            return LogCapture::passOnWithin(std::chrono::ceil<milliseconds>(outputEnd - Clock::now()));
        },
        outputEnd);
    runStep(
        [] {
            removeDirectories();
            return true;
        },
        overrun + REMOVAL_SHARE_END);
    if (stoppedInOrder)
        say("lexivo-quiz: the program stopped in order but had not ended " + boundText() + " after the stop signal" +
                (passedOn ? "" : " (its output is not read)") + "; it ends now\n",
            overrun + stopsignals::FORCED_END_BOUND);
    endProcess(orderlyStatus().value_or(exitstatus::RUNTIME_OUTLIVED_TERMINATE));
}

void watchStops() {
    ::pthread_sigmask(SIG_UNBLOCK, &stopSignals, nullptr);
    std::optional<Clock::time_point> deadline;
    for (;;) {
        const char byte = nextWake(deadline);
        if (byte == 0 && !deadline) return;
        if (byte == 0) endOverdue(*deadline);
        // A stop asked again while the first is obeyed is the same request.
        if (byte >= ORDERLY_END || deadline) continue;
        deadline = Clock::now() + stopsignals::STOP_BOUND;
        // Under the lock, so that the program's end cannot tear the UI thread's queue down meanwhile.
        std::lock_guard guard(watch().lock);
        if (!watch().orderlyStatus) launcher::askToTerminate();
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
    watch();
    struct sigaction action {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
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
    std::thread(watchStops).detach();
}

void removeWhenForced(const std::string& directory, bool onlyWhenEmpty) {
    std::lock_guard guard(watch().lock);
    watch().removals.emplace_back(directory, onlyWhenEmpty);
}

void orderlyEndReached(int status) {
    bool forced = false;
    {
        std::lock_guard guard(watch().lock);
        watch().orderlyStatus = status;
        forced = watch().forcedEnd;
    }
    const char byte = ORDERLY_END;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeEnds[1], &byte, 1);
    // The watcher ends the process within its bound, with this status.
    while (forced) ::pause();
}

}  // namespace stopsignals
