// The proxy creates the application's MIDlet through the registered factory, forwards the
// lifecycle to it and gives it up exactly once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ProxyMIDlet.h"
#include "runtime/lang/Exceptions.h"

using java::lang::jnew;
using java::lang::recastObj;
using javax::microedition::midlet::MIDlet;

namespace {

std::vector<std::string> calls;
int destroyed = 0;
bool throwOnStart = false;

class RecordingMIDlet : public MIDlet {
    JAVA_CLASS(RecordingMIDlet, "hosttest.RecordingMIDlet", MIDlet)
public:
    ~RecordingMIDlet() override { ++destroyed; }
    void startApp() override {
        calls.emplace_back("startApp");
        if (throwOnStart) throw java::lang::IllegalStateException("start failed");
    }
    void pauseApp() override { calls.emplace_back("pauseApp"); }
    void destroyApp(bool unconditional) override {
        calls.emplace_back(unconditional ? "destroyApp(true)" : "destroyApp(false)");
    }
};

JavaPtr<MIDlet> makeRecordingMIDlet() {
    JavaPtr<RecordingMIDlet> midlet = jnew<RecordingMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

JavaPtr<MIDlet> makeNothing() { return nullptr; }

class ProxyMIDletTest : public testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        destroyed = 0;
        throwOnStart = false;
        ProxyMIDlet::setFactory(makeRecordingMIDlet);
    }
    void TearDown() override { ProxyMIDlet::setFactory(nullptr); }
};

TEST_F(ProxyMIDletTest, ForwardsEveryLifecycleCallToTheMIDletItCreated) {
    JavaPtr<ProxyMIDlet> proxy = jnew<ProxyMIDlet>();
    ASSERT_NE(recastObj<RecordingMIDlet>(proxy->getActualMidlet()), nullptr);
    proxy->startApp();
    proxy->pauseApp();
    proxy->startApp();
    proxy->destroyApp(false);
    proxy->destroyApp(true);
    proxy->notifyPaused();
    EXPECT_EQ(calls, (std::vector<std::string>{"startApp", "pauseApp", "startApp", "destroyApp(false)",
                                               "destroyApp(true)"}));
    proxy->notifyDestroyed();
    EXPECT_TRUE(MIDlet::quitInvoked.load());
}

TEST_F(ProxyMIDletTest, DestroysItsMIDletExactlyOnce) {
    JavaPtr<ProxyMIDlet> proxy = jnew<ProxyMIDlet>();
    proxy = nullptr;
    EXPECT_EQ(destroyed, 1);
    // The post-stop tear-down clears the pointer after the proxy has gone.
    ProxyMIDlet::clearMIDlet();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ProxyMIDletTest, AMIDletHeldElsewhereOutlivesTheProxy) {
    JavaPtr<ProxyMIDlet> proxy = jnew<ProxyMIDlet>();
    JavaPtr<MIDlet> kept = proxy->getActualMidlet();
    proxy = nullptr;
    EXPECT_EQ(destroyed, 0);
    kept = nullptr;
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ProxyMIDletTest, ApplicationExceptionIsReportedNotThrown) {
    JavaPtr<ProxyMIDlet> proxy = jnew<ProxyMIDlet>();
    throwOnStart = true;
    EXPECT_NO_THROW(proxy->startApp());
    proxy->pauseApp();
    EXPECT_EQ(calls, (std::vector<std::string>{"startApp", "pauseApp"}));
}

TEST_F(ProxyMIDletTest, CannotBeMadeWithoutAMIDletOrBesideAnother) {
    ProxyMIDlet::setFactory(nullptr);
    EXPECT_THROW(jnew<ProxyMIDlet>(), java::lang::IllegalStateException);
    ProxyMIDlet::setFactory(makeNothing);
    EXPECT_THROW(jnew<ProxyMIDlet>(), java::lang::IllegalStateException);

    ProxyMIDlet::setFactory(makeRecordingMIDlet);
    JavaPtr<ProxyMIDlet> first = jnew<ProxyMIDlet>();
    JavaPtr<MIDlet> running = first->getActualMidlet();
    EXPECT_THROW(jnew<ProxyMIDlet>(), java::lang::IllegalStateException);
    // The refused proxy's MIDlet is gone; the running one is untouched.
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(first->getActualMidlet() == running);
}

}  // namespace
