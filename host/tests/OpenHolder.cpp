#include "host/tests/OpenHolder.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/fanotify.h>
#include <unistd.h>

#include <climits>

namespace programtest {

OpenHolder::OpenHolder(const std::filesystem::path& directory) {
    const int group = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_LARGEFILE);
    if (group < 0) return;
    if (::fanotify_mark(group, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, directory.c_str()) != 0 ||
        ::pipe2(m_stop, O_CLOEXEC) != 0) {
        ::close(group);
        return;
    }
    m_group = group;
    m_answerer = std::thread([this] { answer(); });
}

OpenHolder::~OpenHolder() {
    if (m_group < 0) return;
    release();
    ::close(m_stop[1]);
    m_answerer.join();
    ::close(m_stop[0]);
    // Opens asked about meanwhile go through once nobody answers.
    ::close(m_group);
}

void OpenHolder::arm(const std::string& prefix) {
    std::lock_guard guard(m_lock);
    m_prefix = prefix;
}

bool OpenHolder::waitUntilHeld(std::chrono::seconds bound) {
    std::unique_lock guard(m_lock);
    return m_heldChanged.wait_for(guard, bound, [this] { return m_held >= 0; });
}

void OpenHolder::release() {
    std::lock_guard guard(m_lock);
    if (m_held >= 0) allow(m_held);
    m_held = -1;
}

void OpenHolder::allow(int file) {
    const fanotify_response response{file, FAN_ALLOW};
    [[maybe_unused]] const ssize_t ignored = ::write(m_group, &response, sizeof response);
    ::close(file);
}

void OpenHolder::answer() {
    alignas(fanotify_event_metadata) char events[4096];
    for (;;) {
        pollfd ends[2] = {{m_group, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(ends, 2, -1) < 0) continue;
        if (ends[1].revents != 0) return;
        ssize_t length = ::read(m_group, events, sizeof events);
        for (auto* event = reinterpret_cast<fanotify_event_metadata*>(events); FAN_EVENT_OK(event, length);
             event = FAN_EVENT_NEXT(event, length)) {
            if (event->fd < 0) continue;
            char name[PATH_MAX];
            const ssize_t named = ::readlink(("/proc/self/fd/" + std::to_string(event->fd)).c_str(), name, sizeof name);
            const std::string file =
                named > 0 ? std::filesystem::path(std::string(name, static_cast<size_t>(named))).filename().string() : "";
            std::lock_guard guard(m_lock);
            if (!m_prefix.empty() && m_held < 0 && file.starts_with(m_prefix)) {
                m_held = event->fd;
                m_prefix.clear();
                m_heldChanged.notify_all();
            } else {
                allow(event->fd);
            }
        }
    }
}

}  // namespace programtest
