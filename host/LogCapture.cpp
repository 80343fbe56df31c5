#include "host/LogCapture.h"

#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "platform/UiThread.h"

namespace {

// Older output is dropped past this, keeping a tail so that a text split across the cut is found.
constexpr size_t MAX_KEPT = size_t{16} << 20;
constexpr size_t KEPT_TAIL = size_t{64} << 10;

struct Capture {
    std::mutex lock;
    std::string text;
    int originalOutput = -1;
    std::thread reader;
    bool running = false;
    bool readerEnded = false;
    std::condition_variable readerEnd;
};

// Never destroyed: a stop's forced end may pass the output on while exit destroys the statics.
Capture& capture() {
    static Capture* const instance = new Capture;
    return *instance;
}

void writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written <= 0) return;
        data += written;
        size -= static_cast<size_t>(written);
    }
}

void readUntilClosed(int pipeEnd, int original) {
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(pipeEnd, chunk, sizeof chunk);
        if (got <= 0) break;
        writeAll(original, chunk, static_cast<size_t>(got));
        {
            std::lock_guard guard(capture().lock);
            std::string& text = capture().text;
            text.append(chunk, static_cast<size_t>(got));
            if (text.size() > MAX_KEPT) text.erase(0, text.size() - KEPT_TAIL);
        }
        // A script waiting for this text sleeps on the UI thread's queue.
        UiThread::post([] {});
    }
    ::close(pipeEnd);
    std::lock_guard guard(capture().lock);
    capture().readerEnded = true;
    capture().readerEnd.notify_all();
}

}  // namespace

bool LogCapture::start() {
    Capture& state = capture();
    if (state.running) return true;
    int ends[2];
    if (::pipe(ends) != 0) return false;
    std::fflush(stdout);
    const int original = ::dup(STDOUT_FILENO);
    if (original < 0 || ::dup2(ends[1], STDOUT_FILENO) < 0) {
        if (original >= 0) ::close(original);
        ::close(ends[0]);
        ::close(ends[1]);
        return false;
    }
    ::close(ends[1]);
    // A pipe would make stdio buffer whole blocks; lines must pass as they are written. Without a
    // buffer of its own, glibc ignores the mode once the stream has been used.
    static char lineBuffer[BUFSIZ];
    std::setvbuf(stdout, lineBuffer, _IOLBF, sizeof lineBuffer);
    {
        std::lock_guard guard(state.lock);
        state.originalOutput = original;
        state.running = true;
        state.readerEnded = false;
    }
    state.reader = std::thread(readUntilClosed, ends[0], original);
    return true;
}

bool LogCapture::contains(std::string_view text) {
    std::lock_guard guard(capture().lock);
    return capture().text.find(text) != std::string::npos;
}

void LogCapture::stop() {
    Capture& state = capture();
    if (!state.running) return;
    std::fflush(stdout);
    // Replacing the pipe's only write end closes it, and the reader ends after the last byte.
    ::dup2(state.originalOutput, STDOUT_FILENO);
    state.reader.join();
    int original = -1;
    {
        // Closed only once passOnWithin can no longer take it for the output.
        std::lock_guard guard(state.lock);
        std::swap(original, state.originalOutput);
        state.running = false;
    }
    ::close(original);
}

bool LogCapture::passOnWithin(std::chrono::milliseconds bound) {
    Capture& state = capture();
    std::unique_lock guard(state.lock);
    if (!state.running) return true;
    // As stop does, but with no stream flushed (a stuck thread may hold the stream's lock) and the
    // reader left to the process's end: stop may be joining it.
    ::dup2(state.originalOutput, STDOUT_FILENO);
    return state.readerEnd.wait_for(guard, bound, [&state] { return state.readerEnded; });
}
