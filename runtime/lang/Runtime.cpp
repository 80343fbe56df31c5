#include "runtime/lang/Runtime.h"

#include <unistd.h>

#include <mutex>

namespace java::lang {

JavaPtr<Runtime> Runtime::getRuntime() {
    static std::mutex lock;
    static JavaPtr<Runtime> instance;
    std::lock_guard<std::mutex> guard(lock);
    if (!instance) instance = jnew<Runtime>();
    return instance;
}

int64_t Runtime::freeMemory() {
    return static_cast<int64_t>(sysconf(_SC_AVPHYS_PAGES)) * sysconf(_SC_PAGESIZE);
}

int64_t Runtime::totalMemory() {
    return static_cast<int64_t>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE);
}

}  // namespace java::lang
