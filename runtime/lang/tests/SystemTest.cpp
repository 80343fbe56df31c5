// System properties, clocks and the thread settings that need no running thread.
#include <gtest/gtest.h>

#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/lang/Thread.h"
#include "runtime/text/String.h"

using namespace java::lang;

namespace {

JavaPtr<String> property(const char* key) { return System::getProperty(jnew<String>(key)); }

void expectProperty(const char* key, const char* value) {
    JavaPtr<String> found = property(key);
    if (!value) {
        EXPECT_FALSE(found) << key;
        return;
    }
    ASSERT_TRUE(found) << key;
    EXPECT_TRUE(found->equals(jnew<String>(value))) << key << " = " << found->val();
}

TEST(System, PropertiesComeFromTheFixedTableAndTheDevice) {
    System::setDeviceProperties("de_DE", "iPad", false);
    const char* const table[][2] = {
        {"microedition.encoding", "ISO8859-1"},
        {"microedition.configuration", "CLDC-1.1"},
        {"microedition.profiles", "MIDP-2.0"},
        {"microedition.location.version", "1.0"},
        {"microedition.locale", "de-DE"},
        {"microedition.platform", "iPad"},
        {"ios.retina", "false"},
        {"microedition.Locale", nullptr},
        {"java.version", nullptr},
        {"", nullptr},
    };
    for (const auto& [key, value] : table) expectProperty(key, value);

    System::setDeviceProperties("en_US", "iPhone", true);
    expectProperty("microedition.locale", "en-US");
    expectProperty("microedition.platform", "iPhone");
    expectProperty("ios.retina", "true");
    EXPECT_THROW(System::getProperty(JavaPtr<String>()), NullPointerException);
}

TEST(System, CurrentTimeMillisReadsTheInjectedWallClock) {
    clocks::setWallSource([]() -> int64_t { return 1234567890123; });
    EXPECT_EQ(System::currentTimeMillis(), 1234567890123);
    clocks::setWallSource(nullptr);
    EXPECT_GT(System::currentTimeMillis(), 1234567890123);  // the real clock is past 2009
}

TEST(Thread, PriorityAcceptsOneToTenOnly) {
    auto thread = jnew<Thread>();
    EXPECT_EQ(thread->getPriority(), Thread::NORM_PRIORITY);
    for (int32_t priority : {1, 5, 10}) {
        thread->setPriority(priority);
        EXPECT_EQ(thread->getPriority(), priority);
    }
    for (int32_t priority : {0, 11, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_THROW(thread->setPriority(priority), IllegalArgumentException) << priority;
        EXPECT_EQ(thread->getPriority(), 10);
    }
}

TEST(Thread, CurrentThreadIsOneObjectAndJoiningItOrAnUnstartedThreadReturnsAtOnce) {
    JavaPtr<Thread> current = Thread::currentThread();
    ASSERT_TRUE(current);
    EXPECT_TRUE(Thread::currentThread() == current);
    EXPECT_TRUE(current->isAlive());
    current->join();
    auto unstarted = jnew<Thread>();
    EXPECT_FALSE(unstarted->isAlive());
    unstarted->join();
}

}  // namespace
