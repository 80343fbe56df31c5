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
    // No weak reference can be made to an object whose count has reached zero, so an empty
    // list stays empty and the process-wide weak-reference lock is not needed.
    if (m_weakHead.load(std::memory_order_acquire)) ref::WeakReference::clearAll(this);
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
    const uintptr_t self = currentThreadToken();
    uintptr_t owner = 0;
    if (m_monitorOwner.compare_exchange_strong(owner, self, std::memory_order_acquire, std::memory_order_relaxed))
        return LockObject(this);
    if (owner == self) return LockObject();
    enterContended(self);
    return LockObject(this);
}

bool Smart::ownsMonitor() const noexcept {
    return m_monitorOwner.load(std::memory_order_relaxed) == currentThreadToken();
}

void Smart::monitorEnter() {
    const uintptr_t self = currentThreadToken();
    uintptr_t owner = 0;
    if (m_monitorOwner.compare_exchange_strong(owner, self, std::memory_order_acquire, std::memory_order_relaxed))
        return;
    enterContended(self);
}

// The waiter count is raised before the owner is read again, and monitorExit clears the owner
// before reading the count (all sequentially consistent), so either the exit sees this waiter and
// bumps the exit count it sleeps on, or this thread sees the monitor free and never sleeps.
void Smart::enterContended(uintptr_t self) {
    m_monitorWaiters.fetch_add(1, std::memory_order_seq_cst);
    for (;;) {
        const uint32_t exits = m_monitorExits.load(std::memory_order_seq_cst);
        uintptr_t owner = 0;
        if (m_monitorOwner.compare_exchange_strong(owner, self, std::memory_order_seq_cst, std::memory_order_seq_cst))
            break;
        m_monitorExits.wait(exits, std::memory_order_seq_cst);
    }
    m_monitorWaiters.fetch_sub(1, std::memory_order_relaxed);
}

void Smart::monitorExit() {
    m_monitorOwner.store(0, std::memory_order_seq_cst);
    if (m_monitorWaiters.load(std::memory_order_seq_cst) == 0) return;
    m_monitorExits.fetch_add(1, std::memory_order_seq_cst);
    m_monitorExits.notify_one();
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
