// Sending an SMS on the UI thread itself, with each answer of the host's composer.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/SMSComposer.h"
#include "host/SMSHandler.h"
#include "host/SMSHandshake.h"
#include "platform/UiThread.h"
#include "runtime/HostBridge.h"

namespace {

class SMSComposerTest : public testing::Test {
protected:
    void SetUp() override { UiThread::markCurrentThread(); }
    void TearDown() override { SMSComposer::setAnswer(SMSComposer::Answer::Unavailable); }
};

TEST_F(SMSComposerTest, OutcomeFollowsTheComposersAnswer) {
    struct Row {
        SMSComposer::Answer answer;
        int32_t outcome;
        int32_t canSend;
        bool shown;
    };
    const Row rows[] = {
        {SMSComposer::Answer::Unavailable, SMS_RESULT_NOT_SENT, 0, false},
        {SMSComposer::Answer::Sent, SMS_RESULT_SENT, 1, true},
        {SMSComposer::Answer::Cancelled, SMS_RESULT_NOT_SENT, 1, true},
        {SMSComposer::Answer::Failed, SMS_RESULT_NOT_SENT, 1, true},
    };
    int sendNumber = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(sendNumber);
        SMSComposer::setAnswer(row.answer);
        EXPECT_EQ(canSendSMS(), row.canSend);
        const std::string address = "+4400" + std::to_string(++sendNumber);
        const std::string body = "message " + std::to_string(sendNumber);
        const SMSComposer::ShownMessage before = SMSComposer::lastShown();
        EXPECT_EQ(sendSMS(address.c_str(), body.c_str()), row.outcome);
        const SMSComposer::ShownMessage after = SMSComposer::lastShown();
        EXPECT_EQ(after.recipient, row.shown ? address : before.recipient);
        EXPECT_EQ(after.body, row.shown ? body : before.body);
    }
}

TEST_F(SMSComposerTest, ComposerIsUnavailableUntilAnAnswerIsChosen) {
    EXPECT_EQ(canSendSMS(), 0);
    EXPECT_EQ(sendSMS("123", "hello"), SMS_RESULT_NOT_SENT);
}

TEST(SMSHandler, EachSendKeepsItsOwnFirstOutcome) {
    auto first = std::make_shared<SMSHandshake>("1", "a");
    auto second = std::make_shared<SMSHandshake>("2", "b");
    SMSHandler firstDelegate(first), secondDelegate(second);
    EXPECT_EQ(first->outcome(), SMSHandshake::PENDING);
    firstDelegate.messageComposeViewControllerDidFinishWithResult(SMSHandler::RESULT_SENT);
    EXPECT_EQ(second->outcome(), SMSHandshake::PENDING);
    secondDelegate.messageComposeViewControllerDidFinishWithResult(SMSHandler::RESULT_CANCELLED);
    firstDelegate.messageComposeViewControllerDidFinishWithResult(SMSHandler::RESULT_FAILED);
    EXPECT_EQ(first->awaitOutcome(), SMS_RESULT_SENT);
    EXPECT_EQ(second->awaitOutcome(), SMS_RESULT_NOT_SENT);
}

}  // namespace
