// The platform's UI main thread and its work queue: other threads run functions there, waiting
// for them or not; the UI thread's loop runs what is queued and sleeps while nothing is.
#pragma once

#include <chrono>
#include <functional>

class UiThread {
public:
    // Makes the calling thread the UI thread (the host does this once, first thing); a later
    // call moves the mark to its caller.
    static void markCurrentThread();
    static bool isCurrentThread();

    // Runs the work on the UI thread and returns when it has run; on the UI thread itself it runs
    // at once. What the work throws is rethrown here, to the caller that asked for it.
    // It waits as long as the UI loop does not run its queue; std::logic_error when no thread
    // has been marked, since nobody would ever run the work.
    static void runAndWait(std::function<void()> work);

    // Queues the work and returns at once. Runtime work comes wrapped in runGuarded; anything that
    // still escapes is reported on stderr, so it never reaches the UI loop.
    static void post(std::function<void()> work);

    // For the UI loop: runs the work queued before this call (work it queues waits for the next
    // call, so self-posting work cannot hold the loop) and answers how many ran.
    // std::logic_error on any other thread.
    static int runPending();

    // For the UI loop: sleeps until work is queued or the timeout passes; true when work waits.
    static bool waitForWork(std::chrono::milliseconds timeout);

    // Called on the queuing thread after each piece of work is queued, for a UI loop that sleeps in
    // its window system's event wait rather than in waitForWork. Null for none.
    using WakeHandler = void (*)();
    static void setWakeHandler(WakeHandler handler);
};
