// The part of a monitor that wait and notify need, created on an object's first wait or notify.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace java::lang {

struct WaitSet {
    std::mutex mutex;
    std::condition_variable wakeUp;
    int32_t waiters = 0;
    int32_t pendingNotifications = 0;
};

}  // namespace java::lang
