// Runs the calling thread as the UI thread's loop until the workers it started are done.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/UiThread.h"

namespace hosttest {

// Marks the caller as the UI thread, starts the workers, and runs the queue until every worker
// has returned. Each worker posts a last empty task, so the loop wakes for its end.
template <class... Workers>
void runWithUiLoop(Workers&&... workers) {
    UiThread::markCurrentThread();
    std::atomic<int> running{static_cast<int>(sizeof...(Workers))};
    std::vector<std::thread> threads;
    (threads.emplace_back([&running, work = std::forward<Workers>(workers)]() mutable {
        work();
        running.fetch_sub(1);
        UiThread::post([] {});
    }), ...);
    while (running.load() > 0) {
        UiThread::waitForWork(std::chrono::milliseconds(500));
        UiThread::runPending();
    }
    UiThread::runPending();
    for (std::thread& thread : threads) thread.join();
}

}  // namespace hosttest
