// Monitors: mutual exclusion, re-entry, and the hand-over of wait and notify between threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Object.h"
#include "runtime/lang/Thread.h"

using namespace java::lang;

namespace {

// Polls the monitor until the condition, read under it, holds; returns still holding it.
LockObject enterWhen(const JavaPtr<Object>& monitor, const std::function<bool()>& condition) {
    for (;;) {
        LockObject holder = monitor->startSync();
        if (condition()) return holder;
        holder = LockObject();
        Thread::yield();
    }
}

TEST(Monitor, ExcludesOtherThreads) {
    auto monitor = jnew<Object>();
    int64_t total = 0;  // plain on purpose: only the monitor guards it
    std::atomic<int> inside{0}, overlaps{0};
    constexpr int threads = 4, rounds = 5000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < rounds; ++i) {
                LockObject holder = monitor->startSync();
                if (inside.fetch_add(1) != 0) overlaps.fetch_add(1);
                ++total;
                inside.fetch_sub(1);
            }
        });
    }
    for (auto& worker : workers) worker.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(total, int64_t{threads} * rounds);
}

TEST(Monitor, ReentryGivesANullHolderAndKeepsTheMonitor) {
    auto monitor = jnew<Object>();
    LockObject outer = monitor->startSync();
    EXPECT_FALSE(outer.isNull());
    {
        LockObject inner = monitor->startSync();
        EXPECT_TRUE(inner.isNull());
    }
    EXPECT_TRUE(monitor->ownsMonitor());
    bool ownedElsewhere = true;
    std::thread([&] { ownedElsewhere = monitor->ownsMonitor(); }).join();
    EXPECT_FALSE(ownedElsewhere);

    LockObject movedOuter = std::move(outer);
    EXPECT_TRUE(outer.isNull());
    EXPECT_TRUE(monitor->ownsMonitor());
    movedOuter = LockObject();
    EXPECT_FALSE(monitor->ownsMonitor());
    bool enteredElsewhere = false;
    std::thread([&] {
        LockObject holder = monitor->startSync();
        enteredElsewhere = !holder.isNull();
    }).join();
    EXPECT_TRUE(enteredElsewhere);
}

TEST(Monitor, WaitAndNotifyNeedTheMonitorAndTimedWaitReturnsHoldingIt) {
    auto monitor = jnew<Object>();
    const std::function<void()> operations[] = {[&] { monitor->wait(); }, [&] { monitor->wait(5); },
                                                 [&] { monitor->notify(); }, [&] { monitor->notifyAll(); }};
    for (const auto& operation : operations) EXPECT_THROW(operation(), IllegalMonitorStateException);

    // Owned by another thread is no better than free.
    std::atomic<bool> held{false}, release{false};
    std::thread owner([&] {
        LockObject holder = monitor->startSync();
        held = true;
        while (!release) Thread::yield();
    });
    while (!held) Thread::yield();
    for (const auto& operation : operations) EXPECT_THROW(operation(), IllegalMonitorStateException);
    release = true;
    owner.join();

    LockObject holder = monitor->startSync();
    EXPECT_THROW(monitor->wait(-1), IllegalArgumentException);
    EXPECT_TRUE(monitor->ownsMonitor());
    monitor->wait(1);
    EXPECT_TRUE(monitor->ownsMonitor());
    monitor->notify();  // nobody waits: nothing to hand over, nothing kept for later
    monitor->wait(1);
    EXPECT_TRUE(monitor->ownsMonitor());
}

TEST(Monitor, WaitHandsTheMonitorOverAndNotifyHandsItBack) {
    auto monitor = jnew<Object>();
    int turn = 0;  // guarded by the monitor
    std::vector<int> order;
    constexpr int rounds = 200;
    auto player = [&](int me) {
        for (int i = 0; i < rounds; ++i) {
            LockObject holder = monitor->startSync();
            while (turn != me) monitor->wait();
            order.push_back(me);
            turn = 1 - me;
            monitor->notify();
        }
    };
    std::thread second(player, 1);
    player(0);
    second.join();
    ASSERT_EQ(order.size(), 2u * rounds);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], static_cast<int>(i % 2)) << i;
}

TEST(Monitor, LongestTimedWaitStillWakesOnNotify) {
    auto monitor = jnew<Object>();
    bool waiting = false, notified = false;
    int returns = 0;
    std::thread waiter([&] {
        LockObject holder = monitor->startSync();
        waiting = true;
        while (!notified) {
            monitor->wait(INT64_MAX);
            ++returns;
        }
    });
    {
        LockObject holder = enterWhen(monitor, [&] { return waiting; });
        notified = true;
        monitor->notify();
    }
    waiter.join();
    EXPECT_EQ(returns, 1);  // no early returns before the notify
}

// A notify belongs to a thread already waiting; the notifier must not take it back by waiting itself.
TEST(Monitor, NotifyWakesAThreadAlreadyWaitingNotALaterOne) {
    auto monitor = jnew<Object>();
    bool waiting = false, woke = false;
    std::thread earlier([&] {
        LockObject holder = monitor->startSync();
        waiting = true;
        monitor->wait();
        woke = true;
        monitor->notify();
    });
    {
        LockObject holder = enterWhen(monitor, [&] { return waiting; });
        monitor->notify();
        monitor->wait();
        EXPECT_TRUE(woke);
        monitor->notifyAll();  // frees the earlier thread should the notify have been lost
    }
    earlier.join();
}

TEST(Monitor, NotifyAllWakesEveryWaiter) {
    auto monitor = jnew<Object>();
    constexpr int waiters = 5;
    int waiting = 0, woken = 0;
    bool released = false;
    std::vector<std::thread> threads;
    for (int i = 0; i < waiters; ++i) {
        threads.emplace_back([&] {
            LockObject holder = monitor->startSync();
            ++waiting;
            while (!released) monitor->wait();
            ++woken;
        });
    }
    {
        LockObject holder = enterWhen(monitor, [&] { return waiting == waiters; });
        released = true;
        monitor->notifyAll();
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(woken, waiters);
}

}  // namespace
