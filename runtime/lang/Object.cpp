#include "runtime/lang/Object.h"

#include <chrono>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/GlobalMutex.h"
#include "runtime/lang/WaitSet.h"
#include "runtime/text/String.h"

namespace java::lang {

std::mutex global_mutex;

bool Object::equals(JavaPtr<Object> other) { return other.smart() == static_cast<Smart*>(this); }

int32_t Object::hashCode() {
    const auto address = reinterpret_cast<uintptr_t>(static_cast<Smart*>(this));
    return static_cast<int32_t>(address ^ (address >> 32));
}

JavaPtr<String> Object::toString() {
    static constexpr char digits[] = "0123456789abcdef";
    char hex[9];
    uint32_t hash = static_cast<uint32_t>(hashCode());
    for (int i = 7; i >= 0; --i, hash >>= 4) hex[i] = digits[hash & 15];
    hex[8] = 0;
    return getClassTypeName() + "@" + hex;
}

JavaPtr<String> Object::getClassTypeName() { return detail::classNameString(className); }

void* Object::castAsTypeID(int32_t id) {
    if (id == typeID) return this;
    return Smart::castAsTypeID(id);
}

void Object::wait() { wait(0); }

void Object::wait(int64_t timeoutMillis) {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    if (timeoutMillis < 0) throw IllegalArgumentException();
    WaitSet* set = waitSet();
    std::unique_lock<std::mutex> lock(set->mutex);
    ++set->waiters;
    monitorExit();
    auto notified = [set] { return set->pendingNotifications > 0; };
    if (timeoutMillis == 0) {
        set->wakeUp.wait(lock, notified);
    } else {
        set->wakeUp.wait_for(lock, std::chrono::milliseconds(timeoutMillis), notified);
    }
    if (set->pendingNotifications > 0) --set->pendingNotifications;
    --set->waiters;
    lock.unlock();
    monitorEnter();
}

void Object::notify() {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    WaitSet* set = waitSet();
    std::lock_guard<std::mutex> lock(set->mutex);
    if (set->pendingNotifications < set->waiters) {
        ++set->pendingNotifications;
        set->wakeUp.notify_one();
    }
}

void Object::notifyAll() {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    WaitSet* set = waitSet();
    std::lock_guard<std::mutex> lock(set->mutex);
    set->pendingNotifications = set->waiters;
    set->wakeUp.notify_all();
}

}  // namespace java::lang
