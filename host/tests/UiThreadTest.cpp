// The UI thread's work queue: waiting and posted work, failures, and the loop's own calls.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "host/tests/UiLoop.h"
#include "platform/UiThread.h"
#include "runtime/lang/Exceptions.h"

using hosttest::runWithUiLoop;

namespace {

TEST(UiThread, WorkAskedForFromAWorkerRunsOnTheUiThreadBeforeTheWaitEnds) {
    const std::thread::id ui = std::this_thread::get_id();
    std::atomic<int> ranOnUi{0};
    std::atomic<int> seenAfterReturn{0};
    runWithUiLoop([&] {
        for (int i = 1; i <= 20; ++i) {
            UiThread::runAndWait([&, i] {
                EXPECT_TRUE(UiThread::isCurrentThread());
                if (std::this_thread::get_id() == ui) ranOnUi.store(i);
            });
            if (ranOnUi.load() == i) seenAfterReturn.fetch_add(1);
        }
    });
    EXPECT_EQ(seenAfterReturn.load(), 20);
}

TEST(UiThread, FailureOfWaitedWorkIsRethrownToTheWaiterAndTheLoopGoesOn) {
    std::atomic<int> caught{0};
    std::atomic<bool> laterWorkRan{false};
    runWithUiLoop([&] {
        try {
            UiThread::runAndWait([] { throw std::runtime_error("standard"); });
        } catch (const std::runtime_error&) {
            caught.fetch_add(1);
        }
        try {
            UiThread::runAndWait([] { throw java::lang::IllegalStateException("java"); });
        } catch (const java::lang::IllegalStateException&) {
            caught.fetch_add(1);
        }
        UiThread::runAndWait([&] { laterWorkRan.store(true); });
    });
    EXPECT_EQ(caught.load(), 2);
    EXPECT_TRUE(laterWorkRan.load());
}

TEST(UiThread, PostedWorkRunsInOrderAndItsFailuresStayInTheQueue) {
    std::vector<int> order;  // only the UI thread touches it
    runWithUiLoop([&] {
        UiThread::post([&] { order.push_back(1); });
        UiThread::post([] { throw std::runtime_error("posted work failed"); });
        UiThread::post([] { throw java::lang::IllegalStateException("posted work failed"); });
        UiThread::post([&] { order.push_back(2); });
        UiThread::runAndWait([&] { order.push_back(3); });
    });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(UiThread, RunPendingTakesOnlyWhatWasQueuedBeforeIt) {
    UiThread::markCurrentThread();
    UiThread::runPending();
    int runs = 0;
    std::function<void()> repost = [&] {
        if (++runs < 3) UiThread::post(repost);
    };
    UiThread::post(repost);
    EXPECT_TRUE(UiThread::waitForWork(std::chrono::milliseconds(0)));
    for (int pass = 1; pass <= 3; ++pass) {
        EXPECT_EQ(UiThread::runPending(), 1);
        EXPECT_EQ(runs, pass);
    }
    EXPECT_FALSE(UiThread::waitForWork(std::chrono::milliseconds(0)));
}

}  // namespace
