#include "platform/GpsdReader.h"

#include <gps.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace platform {

struct GpsdReader::State {
    std::string host, port;
    FixHandler handler;
    mutable std::mutex lock;
    std::condition_variable changed;
    bool active = false;
    bool quit = false;
    bool threadStarted = false;
    bool finished = false;
    bool connected = false;
    // Wakes the reader's poll when the reader is stopped.
    int wake = -1;

    // Under the lock the handler is called, so that stop() returning means no more fixes.
    void deliver(const Fix& fix) {
        std::lock_guard guard(lock);
        if (active && !quit) handler(fix);
    }
    bool wanted() {
        std::lock_guard guard(lock);
        return active && !quit;
    }
    void setConnected(bool value) {
        std::lock_guard guard(lock);
        connected = value;
    }
};

namespace {

using State = GpsdReader::State;

// gpsd's longest reports are a few kilobytes; a line beyond this is not one and is skipped whole.
constexpr size_t LONGEST_LINE = 64 * 1024;

// A line is a fix when it is a position report of a 2D or 3D fix with a position.
bool fixFrom(gps_data_t& data, std::string& line, GpsdReader::Fix& fix) {
    if (line.find("\"class\":\"TPV\"") == std::string::npos) return false;
    if (gps_unpack(line.data(), &data) != 0) return false;
    if (data.fix.mode < MODE_2D || !std::isfinite(data.fix.latitude) || !std::isfinite(data.fix.longitude))
        return false;
    fix.latitude = data.fix.latitude;
    fix.longitude = data.fix.longitude;
    fix.horizontalAccuracy = data.fix.eph;
    fix.altitude = data.fix.mode >= MODE_3D ? data.fix.altMSL : NAN;
    fix.verticalAccuracy = data.fix.epv;
    fix.time.clear();
    if (data.fix.time.tv_sec > 0) {
        char text[64];
        fix.time = timespec_to_iso8601(data.fix.time, text, sizeof text);
    }
    return true;
}

// Reads from one open connection until it fails or the reader is no longer wanted. The lines are
// split here rather than by libgps, which gives up the whole connection on one overlong line.
void readConnection(State& state, gps_data_t& data) {
    gps_stream(&data, WATCH_ENABLE | WATCH_JSON, nullptr);
    std::string line;
    bool skipping = false;  // inside a line past LONGEST_LINE, until its end
    char chunk[8192];
    GpsdReader::Fix fix;
    while (state.wanted()) {
        pollfd watched[2] = {{static_cast<int>(data.gps_fd), POLLIN, 0}, {state.wake, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0 && errno != EINTR) return;
        if (watched[1].revents & POLLIN) {
            uint64_t drained = 0;
            while (::read(state.wake, &drained, sizeof drained) > 0) {
            }
        }
        if (watched[0].revents & (POLLERR | POLLNVAL)) return;
        // A hang-up with nothing left to read ends the connection at the next read.
        if (!(watched[0].revents & (POLLIN | POLLHUP))) continue;
        const ssize_t got = ::recv(static_cast<int>(data.gps_fd), chunk, sizeof chunk, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) return;
        for (std::string_view rest(chunk, static_cast<size_t>(got)); !rest.empty();) {
            const size_t end = rest.find('\n');
            if (!skipping) line.append(rest.substr(0, end));
            if (line.size() > LONGEST_LINE) {
                line.clear();
                skipping = true;
            }
            if (end == std::string_view::npos) break;
            if (!skipping && fixFrom(data, line, fix)) state.deliver(fix);
            line.clear();
            skipping = false;
            rest.remove_prefix(end + 1);
            if (!state.wanted()) return;
        }
    }
}

void run(const std::shared_ptr<State>& shared) {
    State& state = *shared;
    bool saidUnreachable = false;
    for (;;) {
        {
            std::unique_lock guard(state.lock);
            state.changed.wait(guard, [&] { return state.active || state.quit; });
            if (state.quit) break;
            uint64_t drained = 0;
            while (::read(state.wake, &drained, sizeof drained) > 0) {
            }
        }
        gps_data_t data{};
        if (gps_open(state.host.c_str(), state.port.c_str(), &data) != 0) {
            if (!saidUnreachable) {
                std::fprintf(stderr, "location: no gpsd at %s:%s (%s); trying again every %lld s\n", state.host.c_str(),
                             state.port.c_str(), gps_errstr(errno),
                             static_cast<long long>(GpsdReader::RETRY_INTERVAL.count()));
                saidUnreachable = true;
            }
            std::unique_lock guard(state.lock);
            state.changed.wait_for(guard, GpsdReader::RETRY_INTERVAL, [&] { return !state.active || state.quit; });
            continue;
        }
        saidUnreachable = false;
        state.setConnected(true);
        readConnection(state, data);
        gps_stream(&data, WATCH_DISABLE, nullptr);
        gps_close(&data);
        state.setConnected(false);
        // A connection lost while wanted waits before the next try, as an unreachable one does.
        std::unique_lock guard(state.lock);
        if (state.active && !state.quit)
            state.changed.wait_for(guard, GpsdReader::RETRY_INTERVAL, [&] { return !state.active || state.quit; });
    }
}

void signal(int wake) {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake, &one, sizeof one);
}

}  // namespace

GpsdReader::GpsdReader(std::string host, std::string port, FixHandler handler) : m_state(std::make_shared<State>()) {
    m_state->host = std::move(host);
    m_state->port = std::move(port);
    m_state->handler = std::move(handler);
    m_state->wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

GpsdReader::~GpsdReader() {
    bool started = false;
    {
        std::lock_guard guard(m_state->lock);
        m_state->quit = true;
        started = m_state->threadStarted;
    }
    m_state->changed.notify_all();
    signal(m_state->wake);
    if (started) {
        std::unique_lock guard(m_state->lock);
        m_state->changed.wait_for(guard, STOP_BOUND, [&] { return m_state->finished; });
    }
    // The thread holds the state itself; the descriptor goes with the last holder.
    std::lock_guard guard(m_state->lock);
    if (m_state->finished || !started) ::close(m_state->wake);
}

void GpsdReader::start() {
    bool makeThread = false;
    {
        std::lock_guard guard(m_state->lock);
        m_state->active = true;
        makeThread = !m_state->threadStarted;
        m_state->threadStarted = true;
    }
    m_state->changed.notify_all();
    if (!makeThread) return;
    std::thread([shared = m_state] {
        try {
            run(shared);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "location: the gpsd reader stopped: %s\n", error.what());
        } catch (...) {
            std::fprintf(stderr, "location: the gpsd reader stopped\n");
        }
        std::lock_guard guard(shared->lock);
        shared->finished = true;
        shared->connected = false;
        shared->changed.notify_all();
    }).detach();
}

void GpsdReader::stop() {
    {
        std::lock_guard guard(m_state->lock);
        m_state->active = false;
    }
    m_state->changed.notify_all();
    signal(m_state->wake);
}

bool GpsdReader::connected() const {
    std::lock_guard guard(m_state->lock);
    return m_state->connected;
}

}  // namespace platform
