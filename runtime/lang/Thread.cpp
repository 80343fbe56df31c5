#include "runtime/lang/Thread.h"

#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <exception>
#include <thread>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/UncaughtHandler.h"

namespace java::lang {

namespace {

thread_local JavaPtr<Thread> currentThreadObject;

size_t stackSize() {
    size_t size = buildconstants::THREAD_STACK_SIZE;
#ifdef LEXIVO_CHECKED
    size *= 4;  // sanitizer frames are several times larger
#endif
    return size < static_cast<size_t>(PTHREAD_STACK_MIN) ? static_cast<size_t>(PTHREAD_STACK_MIN) : size;
}

}  // namespace

void Thread::WENDinvokeconstructor(JavaPtr<Runnable> target) { m_target = std::move(target); }

void Thread::start() {
    if (m_started.exchange(true)) throw IllegalStateException();
    m_alive.store(true, std::memory_order_release);
    s_running.fetch_add(1, std::memory_order_acq_rel);
    // The new thread holds a reference to this Thread (and so to its target) until run returns.
    raiseCount();
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackSize());
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t handle;
    const int error = pthread_create(&handle, &attributes, &Thread::entry, this);
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        m_alive.store(false, std::memory_order_release);
        s_running.fetch_sub(1, std::memory_order_acq_rel);
        release();
        throw IllegalStateException("cannot create a platform thread");
    }
}

void* Thread::entry(void* argument) {
    auto* self = static_cast<Thread*>(argument);
    currentThreadObject = JavaPtr<Thread>(self);
    self->release();  // currentThreadObject now holds the thread's own reference
    runGuarded([self] { self->run(); });
    self->m_target = nullptr;
    // Uncounted before joiners are released, so that they see the count without this thread.
    s_running.fetch_sub(1, std::memory_order_acq_rel);
    self->m_alive.store(false, std::memory_order_release);
    self->m_alive.notify_all();
    currentThreadObject = nullptr;
    return nullptr;
}

void Thread::run() {
    if (m_target) m_target->run();
}

void Thread::setPriority(int32_t priority) {
    if (priority < MIN_PRIORITY || priority > MAX_PRIORITY) throw IllegalArgumentException();
    m_priority.store(priority, std::memory_order_relaxed);
}

void Thread::join() {
    if (currentThreadObject.get() == this) return;
    while (m_alive.load(std::memory_order_acquire)) m_alive.wait(true, std::memory_order_acquire);
}

JavaPtr<Thread> Thread::currentThread() {
    // Threads the runtime did not start (the process's main thread, the UI thread) get their
    // Thread object on first use.
    if (!currentThreadObject) {
        currentThreadObject = jnew<Thread>();
        currentThreadObject->m_started.store(true);
        currentThreadObject->m_alive.store(true);
    }
    return currentThreadObject;
}

void Thread::sleep(int64_t millis) {
    if (millis < 0) throw IllegalArgumentException();
    std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}

void Thread::yield() { sched_yield(); }

}  // namespace java::lang
