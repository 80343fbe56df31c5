// The four native hooks run their body on the UI thread, and the asking thread waits for it.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "host/iPhone.h"
#include "host/tests/UiLoop.h"

using hosttest::runWithUiLoop;

namespace {

std::atomic<std::thread::id> bodyThread;
std::atomic<int> bodyCode{-1};
std::atomic<int> runsPerCode[4];

void recordingBody(int32_t code) {
    bodyThread.store(std::this_thread::get_id());
    bodyCode.store(code);
    runsPerCode[code].fetch_add(1);
}

class NativeHookTest : public testing::Test {
protected:
    void SetUp() override {
        bodyCode.store(-1);
        for (auto& runs : runsPerCode) runs.store(0);
        iPhone::setNativeHookBody(recordingBody);
    }
    void TearDown() override { iPhone::setNativeHookBody(nullptr); }
};

struct Hook {
    void (*call)();
    int32_t code;
};
constexpr Hook HOOKS[] = {
    {iPhone::textOverlayStart, iPhone::TEXT_OVERLAY_START},
    {iPhone::textOverlayStop, iPhone::TEXT_OVERLAY_STOP},
    {iPhone::viewSetup, iPhone::VIEW_SETUP},
    {iPhone::viewReplace, iPhone::VIEW_REPLACE},
};

TEST_F(NativeHookTest, HookFromAWorkerReturnsOnlyAfterTheUiThreadRanIt) {
    const std::thread::id ui = std::this_thread::get_id();
    runWithUiLoop([&] {
        for (const Hook& hook : HOOKS) {
            hook.call();
            EXPECT_EQ(bodyCode.load(), hook.code);
            EXPECT_EQ(bodyThread.load(), ui);
            EXPECT_EQ(iPhone::callback_value.load(), hook.code);
        }
    });
}

TEST_F(NativeHookTest, HookOnTheUiThreadRunsAtOnce) {
    UiThread::markCurrentThread();
    for (const Hook& hook : HOOKS) {
        hook.call();
        EXPECT_EQ(bodyCode.load(), hook.code);
        EXPECT_EQ(bodyThread.load(), std::this_thread::get_id());
    }
}

TEST_F(NativeHookTest, HooksFromTwoThreadsEachRunWithTheirOwnCode) {
    constexpr int CALLS = 200;
    runWithUiLoop(
        [] {
            for (int i = 0; i < CALLS; ++i) iPhone::textOverlayStart();
        },
        [] {
            for (int i = 0; i < CALLS; ++i) iPhone::viewReplace();
        });
    EXPECT_EQ(runsPerCode[iPhone::TEXT_OVERLAY_START].load(), CALLS);
    EXPECT_EQ(runsPerCode[iPhone::VIEW_REPLACE].load(), CALLS);
}

TEST_F(NativeHookTest, FailingHookBodyIsReportedAndTheCallerGoesOn) {
    iPhone::setNativeHookBody([](int32_t) { throw std::runtime_error("hook body failed"); });
    runWithUiLoop([] {
        EXPECT_NO_THROW(iPhone::viewSetup());
        iPhone::setNativeHookBody(recordingBody);
        iPhone::viewReplace();
        EXPECT_EQ(bodyCode.load(), iPhone::VIEW_REPLACE);
    });
}

}  // namespace
