#include "runtime/lang/Smart.h"

#include "runtime/lang/GlobalMutex.h"
#include "runtime/lang/WaitSet.h"
#include "runtime/lang/ref/WeakReference.h"

namespace java::lang {

uintptr_t currentThreadToken() noexcept {
    thread_local char token;
    return reinterpret_cast<uintptr_t>(&token);
}

Smart::~Smart() { delete m_waitSet.load(std::memory_order_acquire); }

void Smart::destroy() noexcept {
    m_refCount.store(DESTROYING, std::memory_order_relaxed);
    ref::WeakReference::clearAll(this);
    delete this;
}

bool Smart::tryAcquireLive() noexcept {
    int32_t count = m_refCount.load(std::memory_order_relaxed);
    while (count > 0) {
        if (m_refCount.compare_exchange_weak(count, count + 1, std::memory_order_relaxed)) return true;
    }
    return false;
}

LockObject Smart::startSync() {
    if (ownsMonitor()) return LockObject();
    monitorEnter();
    return LockObject(this);
}

bool Smart::ownsMonitor() const noexcept {
    return m_monitorOwner.load(std::memory_order_relaxed) == currentThreadToken();
}

void Smart::monitorEnter() {
    const uintptr_t self = currentThreadToken();
    for (;;) {
        uintptr_t expected = 0;
        if (m_monitorOwner.compare_exchange_weak(expected, self, std::memory_order_acquire, std::memory_order_relaxed))
            return;
        if (expected != 0) m_monitorOwner.wait(expected, std::memory_order_relaxed);
    }
}

void Smart::monitorExit() {
    m_monitorOwner.store(0, std::memory_order_release);
    m_monitorOwner.notify_one();
}

WaitSet* Smart::waitSet() {
    WaitSet* set = m_waitSet.load(std::memory_order_acquire);
    if (set) return set;
    std::lock_guard<std::mutex> guard(global_mutex);
    set = m_waitSet.load(std::memory_order_relaxed);
    if (!set) {
        set = new WaitSet();
        m_waitSet.store(set, std::memory_order_release);
    }
    return set;
}

LockObject& LockObject::operator=(LockObject&& other) noexcept {
    if (this != &other) {
        release();
        m_owner = other.m_owner;
        other.m_owner = nullptr;
    }
    return *this;
}

void LockObject::release() {
    if (m_owner) m_owner->monitorExit();
    m_owner = nullptr;
}

}  // namespace java::lang
