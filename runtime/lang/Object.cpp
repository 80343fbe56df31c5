#include "runtime/lang/Object.h"

#include <chrono>

#include "runtime/lang/Class.h"
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

JavaPtr<Class> Object::getClass() { return jnew<Class>(getClassTypeName()); }

void* Object::castAsTypeID(int32_t id) {
    if (id == typeID) return this;
    return Smart::castAsTypeID(id);
}

void Object::wait() { wait(0); }

void Object::wait(int64_t timeoutMillis) {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    if (timeoutMillis < 0) throw IllegalArgumentException();
    // Beyond this the deadline would overflow the clock; no caller can tell it from for ever.
    constexpr int64_t longestTimedWait = int64_t{1} << 40;
    if (timeoutMillis > longestTimedWait) timeoutMillis = 0;
    WaitSet* set = waitSet();
    WaitSet::Waiter self;
    std::unique_lock<std::mutex> lock(set->mutex);
    set->enqueue(&self);
    monitorExit();
    auto notified = [&self] { return self.notified; };
    if (timeoutMillis == 0) {
        self.wakeUp.wait(lock, notified);
    } else if (!self.wakeUp.wait_for(lock, std::chrono::milliseconds(timeoutMillis), notified)) {
        set->remove(&self);
    }
    lock.unlock();
    monitorEnter();
}

void Object::notify() {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    WaitSet* set = waitSet();
    std::lock_guard<std::mutex> lock(set->mutex);
    if (WaitSet::Waiter* waiter = set->dequeue()) {
        waiter->notified = true;
        waiter->wakeUp.notify_one();
    }
}

void Object::notifyAll() {
    if (!ownsMonitor()) throw IllegalMonitorStateException();
    WaitSet* set = waitSet();
    std::lock_guard<std::mutex> lock(set->mutex);
    while (WaitSet::Waiter* waiter = set->dequeue()) {
        waiter->notified = true;
        waiter->wakeUp.notify_one();
    }
}

}  // namespace java::lang
