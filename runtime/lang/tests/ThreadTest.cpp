// Runtime threads: identity, lifetime of a started thread and its target, join; weak references under races.
#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <string>
#include <thread>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/ref/WeakReference.h"
#include "runtime/lang/tests/TestClasses.h"

using namespace java::lang;

namespace {

class RecordsItself : public Thread {
public:
    void run() override {
        seenAsCurrent = Thread::currentThread().get();
        runningWhileInside = Thread::numRunningThreads();
        finished = true;  // plain: join must publish it
    }
    Thread* seenAsCurrent = nullptr;
    int32_t runningWhileInside = 0;
    bool finished = false;
};

TEST(Thread, StartedThreadSeesItselfAsCurrentAndJoinWaitsForItsEnd) {
    const int32_t before = Thread::numRunningThreads();
    auto thread = jnew<RecordsItself>();
    thread->WENDinvokeconstructor();
    thread->start();
    thread->join();
    EXPECT_TRUE(thread->finished);
    EXPECT_EQ(thread->seenAsCurrent, thread.get());
    EXPECT_EQ(thread->runningWhileInside, before + 1);
    EXPECT_FALSE(thread->isAlive());
    EXPECT_EQ(Thread::numRunningThreads(), before);
    EXPECT_THROW(thread->start(), IllegalStateException);
}

class RecordsCurrentThread : public Object, public Runnable {
    JAVA_CLASS(RecordsCurrentThread, "langtest.RecordsCurrentThread", Object, Runnable)
public:
    void run() override { seen = Thread::currentThread(); }
    JavaPtr<Thread> seen;
};

TEST(Thread, TargetRunsOnTheStartedThreadObject) {
    auto target = jnew<RecordsCurrentThread>();
    auto thread = jnew<Thread>();
    thread->WENDinvokeconstructor(target);
    thread->start();
    thread->join();
    EXPECT_TRUE(target->seen == thread);
    target->seen = nullptr;  // the thread and the target no longer hold each other
}

// Counts down when destroyed, so the test can wait for the end of a thread it no longer references.
class Worker : public Object, public Runnable {
    JAVA_CLASS(Worker, "langtest.Worker", Object, Runnable)
public:
    Worker(std::latch& referencesDropped, std::latch& freed, std::atomic<bool>& ranToEnd)
        : m_referencesDropped(referencesDropped), m_freed(freed), m_ranToEnd(ranToEnd) {}
    ~Worker() override { m_freed.count_down(); }
    void run() override {
        m_referencesDropped.wait();
        // Only the running thread keeps this object and its Thread alive now.
        for (int i = 0; i < 100; ++i) m_steps.push_back(i);
        JavaPtr<Thread> self = Thread::currentThread();
        m_ranToEnd = self && m_steps.size() == 100;
    }

private:
    std::latch& m_referencesDropped;
    std::latch& m_freed;
    std::atomic<bool>& m_ranToEnd;
    std::vector<int> m_steps;
};

class FreedThread : public Thread {
public:
    explicit FreedThread(std::latch& freed) : m_freed(freed) {}
    ~FreedThread() override { m_freed.count_down(); }

private:
    std::latch& m_freed;
};

TEST(Thread, ThreadWhoseTargetHasNoOtherReferenceRunsToTheEndThenBothAreFreed) {
    std::latch referencesDropped(1), freed(2);
    std::atomic<bool> ranToEnd{false};
    {
        auto thread = jnew<FreedThread>(freed);
        thread->WENDinvokeconstructor(jnew<Worker>(referencesDropped, freed, ranToEnd));
        thread->start();
    }
    referencesDropped.count_down();
    freed.wait();
    EXPECT_TRUE(ranToEnd);
}

class Throws : public Thread {
public:
    void run() override { throw NullPointerException("escaped run"); }
};

TEST(Thread, ExceptionEscapingRunIsReportedAndEndsOnlyThatThread) {
    testing::internal::CaptureStderr();
    auto thread = jnew<Throws>();
    thread->start();
    thread->join();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("java.lang.NullPointerException: escaped run"), std::string::npos) << printed;
    EXPECT_FALSE(thread->isAlive());
}

// A weak reference read while another thread drops the last counted reference either yields a
// live object, held by the reader, or null; never a dying one.
TEST(WeakReference, GetRacingTheLastReleaseGivesALiveObjectOrNull) {
    for (int round = 0; round < 200; ++round) {
        std::atomic<int> destroyed{0};
        JavaPtr<langtest::Tracked> referent = jnew<langtest::Tracked>(&destroyed);
        auto weak = jnew<ref::WeakReference>(JavaPtr<Object>(referent));
        std::latch go(2);
        bool sawDestroyedObject = false;
        std::thread dropper([&] {
            go.arrive_and_wait();
            referent = nullptr;
        });
        std::thread reader([&] {
            go.arrive_and_wait();
            for (;;) {
                JavaPtr<Object> seen = weak->get();
                if (!seen) break;
                if (destroyed != 0 || seen->referenceCount() < 1) sawDestroyedObject = true;
            }
        });
        dropper.join();
        reader.join();
        EXPECT_FALSE(sawDestroyedObject);
        EXPECT_EQ(destroyed, 1);
        EXPECT_FALSE(weak->get());
    }
}

}  // namespace
