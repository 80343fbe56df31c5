// The part of a monitor that wait and notify need, created on an object's first wait or notify.
#pragma once

#include <condition_variable>
#include <mutex>

namespace java::lang {

struct WaitSet {
    // One per waiting thread, on its own stack. Notify hands the wake-up to a thread that was
    // already waiting, so a thread that starts waiting later cannot take it.
    struct Waiter {
        std::condition_variable wakeUp;
        Waiter* next = nullptr;
        bool notified = false;
    };

    std::mutex mutex;
    Waiter* first = nullptr;  // oldest waiter
    Waiter* last = nullptr;

    void enqueue(Waiter* waiter) {
        if (last) last->next = waiter; else first = waiter;
        last = waiter;
    }
    Waiter* dequeue() {
        Waiter* waiter = first;
        if (!waiter) return nullptr;
        first = waiter->next;
        if (!first) last = nullptr;
        waiter->next = nullptr;
        return waiter;
    }
    // Takes a waiter out whose wait timed out before anyone notified it.
    void remove(Waiter* waiter) {
        Waiter* previous = nullptr;
        for (Waiter* w = first; w; previous = w, w = w->next) {
            if (w != waiter) continue;
            if (previous) previous->next = w->next; else first = w->next;
            if (last == w) last = previous;
            w->next = nullptr;
            return;
        }
    }
};

}  // namespace java::lang
