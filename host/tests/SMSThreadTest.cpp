// Sending an SMS from runtime threads while the UI thread runs its queue.
#include <gtest/gtest.h>

#include "host/SMSComposer.h"
#include "host/tests/UiLoop.h"
#include "runtime/HostBridge.h"

using hosttest::runWithUiLoop;

namespace {

class SMSThreadTest : public testing::Test {
protected:
    void TearDown() override { SMSComposer::setAnswer(SMSComposer::Answer::Unavailable); }
};

TEST_F(SMSThreadTest, EverySenderGetsAnOutcomeForEachAnswer) {
    struct Row {
        SMSComposer::Answer answer;
        int32_t outcome;
    };
    const Row rows[] = {
        {SMSComposer::Answer::Unavailable, SMS_RESULT_NOT_SENT},
        {SMSComposer::Answer::Sent, SMS_RESULT_SENT},
        {SMSComposer::Answer::Cancelled, SMS_RESULT_NOT_SENT},
    };
    for (const Row& row : rows) {
        SMSComposer::setAnswer(row.answer);
        auto sender = [&row](const char* address) {
            return [&row, address] {
                for (int i = 0; i < 25; ++i) EXPECT_EQ(sendSMS(address, "quiz result"), row.outcome);
            };
        };
        runWithUiLoop(sender("111"), sender("222"), sender("333"));
    }
}

}  // namespace
