// The shared virtual base of every object and interface: reference count, monitor, weak references.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/LockObject.h"
#include "runtime/lang/TypeId.h"

namespace java::lang {

class String;
template <class T, bool Counted> class JavaPtr;
namespace ref { class WeakReference; }
struct WaitSet;

class Smart {
public:
    static constexpr int32_t DESTROYING = -9999;
    static constexpr const char* className = "java.lang.Smart";
    static constexpr int32_t typeID = typeIdOf(className);

    Smart() = default;
    // A copy (an exception thrown by value) is a new object: no references, free monitor.
    Smart(const Smart&) : Smart() {}
    Smart& operator=(const Smart&) { return *this; }
    virtual ~Smart();

    virtual JavaPtr<String, true> getClassTypeName() = 0;
    virtual void* castAsTypeID(int32_t id) { return id == typeID ? this : nullptr; }

    // Counting: a count below zero means destruction has begun and acquiring no longer counts.
    void acquire() noexcept {
        if (m_refCount.load(std::memory_order_relaxed) >= 0) m_refCount.fetch_add(1, std::memory_order_relaxed);
    }
    void release() noexcept {
        const int32_t count = m_refCount.load(std::memory_order_acquire);
        if (count < 0) return;
        // The only reference: no other thread can take one, not even through a weak reference
        // when there is none, so the count needs no atomic decrement.
        if (count == 1 && !m_weakHead.load(std::memory_order_acquire)) {
            destroy();
            return;
        }
        if (m_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) destroy();
    }
    // The first reference to an object jnew has just made. A constructor leaves its count at zero
    // unless it handed itself to a holder; at zero no other reference exists to count concurrently.
    void acquireFresh() noexcept {
        if (m_refCount.load(std::memory_order_relaxed) == 0) {
            m_refCount.store(1, std::memory_order_relaxed);
            return;
        }
        acquire();
    }
    // Acquires only while the object is alive; used by weak references.
    bool tryAcquireLive() noexcept;
    int32_t referenceCount() const noexcept { return m_refCount.load(std::memory_order_relaxed); }
    // Constructor bodies raise the count around code that hands out temporary references.
    void raiseCount() noexcept { m_refCount.fetch_add(1, std::memory_order_relaxed); }
    void lowerCountWithoutRelease() noexcept { m_refCount.fetch_sub(1, std::memory_order_relaxed); }

    int32_t arrayDimensions() const noexcept { return m_arrayDimensions; }

    // Monitor. startSync returns a null holder when the calling thread already owns it.
    LockObject startSync();
    void monitorEnter();
    void monitorExit();
    bool ownsMonitor() const noexcept;

protected:
    void setArrayDimensions(int32_t dimensions) noexcept { m_arrayDimensions = dimensions; }

private:
    friend class ref::WeakReference;
    friend class Object;
    void destroy() noexcept;
    void enterContended();
    WaitSet* waitSet();

    std::atomic<int32_t> m_refCount{0};
    int32_t m_arrayDimensions = 0;
    // The monitor's lock word: free, held, or held with threads that may sleep on it. The owner
    // is written only by the thread holding the lock, for re-entry and ownership checks.
    std::atomic<uint32_t> m_monitorState{0};
    std::atomic<uintptr_t> m_monitorOwner{0};
    std::atomic<WaitSet*> m_waitSet{nullptr};  // created on first wait or notify
    // Changed under the weak-reference lock; atomic so that destruction can skip that lock when empty.
    std::atomic<ref::WeakReference*> m_weakHead{nullptr};
};

// Identifies the calling thread for monitor ownership; never zero.
uintptr_t currentThreadToken() noexcept;

}  // namespace java::lang
