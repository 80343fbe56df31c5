// A runtime thread on a POSIX thread: runs its target (or its own run) once.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/Object.h"
#include "runtime/lang/Runnable.h"

namespace java::lang {

class Thread : public Object, public Runnable {
    JAVA_CLASS(Thread, "java.lang.Thread", Object, Runnable)
public:
    static constexpr int32_t MIN_PRIORITY = 1;
    static constexpr int32_t NORM_PRIORITY = 5;
    static constexpr int32_t MAX_PRIORITY = 10;

    Thread() = default;
    void WENDinvokeconstructor() {}
    void WENDinvokeconstructor(JavaPtr<Runnable> target);

    // Runs run() on a new platform thread and returns at once; IllegalStateException if started before.
    void start();
    void run() override;
    void setPriority(int32_t priority);
    int32_t getPriority() const { return m_priority.load(std::memory_order_relaxed); }
    bool isAlive() const { return m_alive.load(std::memory_order_acquire); }
    // Waits until run has returned; returns at once for a thread never started.
    void join();

    static JavaPtr<Thread> currentThread();
    static void sleep(int64_t millis);
    static void yield();
    // Runtime threads started and not yet finished.
    static int32_t numRunningThreads() { return s_running.load(std::memory_order_acquire); }

private:
    static void* entry(void* self);

    JavaPtr<Runnable> m_target;
    std::atomic<int32_t> m_priority{NORM_PRIORITY};
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_alive{false};
    static inline std::atomic<int32_t> s_running{0};
};

}  // namespace java::lang
