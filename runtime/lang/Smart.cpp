#include "runtime/lang/Smart.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

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

namespace {

constexpr uint32_t FREE = 0, HELD = 1, HELD_WITH_SLEEPERS = 2;

// Sleeps while the word still holds the value; returns at once if it does not, or on a stray wake.
void sleepWhile(std::atomic<uint32_t>& word, uint32_t value) {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAIT_PRIVATE, value, nullptr, nullptr, 0);
}

void wakeOne(std::atomic<uint32_t>& word) {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

}  // namespace

LockObject Smart::startSync() {
    uint32_t state = FREE;
    if (m_monitorState.compare_exchange_strong(state, HELD, std::memory_order_acquire, std::memory_order_relaxed)) {
        m_monitorOwner.store(currentThreadToken(), std::memory_order_relaxed);
        return LockObject(this);
    }
    if (ownsMonitor()) return LockObject();
    enterContended();
    return LockObject(this);
}

// The owner word equals this thread's token only between this thread's own enter and exit.
bool Smart::ownsMonitor() const noexcept {
    return m_monitorOwner.load(std::memory_order_relaxed) == currentThreadToken();
}

void Smart::monitorEnter() {
    uint32_t state = FREE;
    if (m_monitorState.compare_exchange_strong(state, HELD, std::memory_order_acquire, std::memory_order_relaxed)) {
        m_monitorOwner.store(currentThreadToken(), std::memory_order_relaxed);
        return;
    }
    enterContended();
}

// A thread that found the monitor taken marks it as having sleepers before it sleeps, so the exit
// that frees it wakes one; a woken thread marks it again, as others may still sleep on it.
void Smart::enterContended() {
    uint32_t state = m_monitorState.exchange(HELD_WITH_SLEEPERS, std::memory_order_acquire);
    while (state != FREE) {
        sleepWhile(m_monitorState, HELD_WITH_SLEEPERS);
        state = m_monitorState.exchange(HELD_WITH_SLEEPERS, std::memory_order_acquire);
    }
    m_monitorOwner.store(currentThreadToken(), std::memory_order_relaxed);
}

void Smart::monitorExit() {
    m_monitorOwner.store(0, std::memory_order_relaxed);
    if (m_monitorState.exchange(FREE, std::memory_order_release) == HELD_WITH_SLEEPERS) wakeOne(m_monitorState);
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
