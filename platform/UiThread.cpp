#include "platform/UiThread.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace {

struct WorkQueue {
    std::mutex lock;
    std::condition_variable workArrived;
    std::deque<std::packaged_task<void()>> pending;
    std::atomic<std::thread::id> uiThread{};
    std::atomic<UiThread::WakeHandler> wakeHandler{nullptr};
};

// Never destroyed: a helper thread may still post (a teardown waiter's last wake) while main returns.
WorkQueue& queue() {
    static WorkQueue* instance = new WorkQueue;
    return *instance;
}

void reportEscapedFailure(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "UI thread work failed: %s\n", error.what());
    } catch (...) {
        std::fputs("UI thread work failed with an exception of unknown type\n", stderr);
    }
}

void enqueue(std::packaged_task<void()> task) {
    WorkQueue& work = queue();
    {
        std::lock_guard guard(work.lock);
        work.pending.push_back(std::move(task));
    }
    work.workArrived.notify_all();
    if (const UiThread::WakeHandler wake = work.wakeHandler.load(std::memory_order_acquire)) wake();
}

}  // namespace

void UiThread::markCurrentThread() { queue().uiThread.store(std::this_thread::get_id(), std::memory_order_release); }

bool UiThread::isCurrentThread() {
    return queue().uiThread.load(std::memory_order_acquire) == std::this_thread::get_id();
}

void UiThread::runAndWait(std::function<void()> work) {
    if (isCurrentThread()) {
        work();
        return;
    }
    if (queue().uiThread.load(std::memory_order_acquire) == std::thread::id{})
        throw std::logic_error("UiThread::runAndWait: no UI thread has been marked");
    std::packaged_task<void()> task(std::move(work));
    std::future<void> done = task.get_future();
    enqueue(std::move(task));
    done.get();
}

void UiThread::post(std::function<void()> work) {
    enqueue(std::packaged_task<void()>([work = std::move(work)] {
        try {
            work();
        } catch (...) {
            reportEscapedFailure(std::current_exception());
        }
    }));
}

int UiThread::runPending() {
    if (!isCurrentThread()) throw std::logic_error("UiThread::runPending: not on the UI thread");
    std::deque<std::packaged_task<void()>> batch;
    {
        std::lock_guard guard(queue().lock);
        batch.swap(queue().pending);
    }
    // A waiter's failure lands in its future; a posted one was caught inside its task.
    for (std::packaged_task<void()>& task : batch) task();
    return static_cast<int>(batch.size());
}

void UiThread::setWakeHandler(WakeHandler handler) {
    queue().wakeHandler.store(handler, std::memory_order_release);
}

bool UiThread::waitForWork(std::chrono::milliseconds timeout) {
    WorkQueue& work = queue();
    std::unique_lock guard(work.lock);
    return work.workArrived.wait_for(guard, timeout, [&] { return !work.pending.empty(); });
}
