#include "demos/DemoEvents.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <utility>

namespace demo {

namespace {

std::mutex eventsLock;
std::vector<std::string> events;

}  // namespace

void evt(const char* format, ...) {
    char line[512];
    std::va_list values;
    va_start(values, format);
    std::vsnprintf(line, sizeof line, format, values);
    va_end(values);
    std::printf("EVT %s\n", line);
    std::fflush(stdout);
    std::lock_guard guard(eventsLock);
    events.emplace_back(line);
}

std::vector<std::string> takeEvents() {
    std::lock_guard guard(eventsLock);
    return std::exchange(events, {});
}

}  // namespace demo
