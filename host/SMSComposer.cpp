#include "host/SMSComposer.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "host/SMSHandler.h"
#include "host/SMSHandshake.h"

namespace {

std::atomic<SMSComposer::Answer> chosenAnswer{SMSComposer::Answer::Unavailable};

struct LastShown {
    std::mutex lock;
    SMSComposer::ShownMessage message;
};

LastShown& lastShownMessage() {
    static LastShown instance;
    return instance;
}

int32_t finishResult(SMSComposer::Answer answer) {
    switch (answer) {
        case SMSComposer::Answer::Sent: return SMSHandler::RESULT_SENT;
        case SMSComposer::Answer::Cancelled: return SMSHandler::RESULT_CANCELLED;
        default: return SMSHandler::RESULT_FAILED;
    }
}

}  // namespace

void SMSComposer::setAnswer(Answer answer) { chosenAnswer.store(answer, std::memory_order_relaxed); }

bool SMSComposer::canSendText() { return chosenAnswer.load(std::memory_order_relaxed) != Answer::Unavailable; }

void SMSComposer::present(const SMSHandshake& texts, SMSHandler& delegate) {
    {
        std::lock_guard guard(lastShownMessage().lock);
        lastShownMessage().message = {texts.smsAddressValue, texts.smsMessageValue};
    }
    std::printf("sms composer: to %s: %s\n", texts.smsAddressValue.c_str(), texts.smsMessageValue.c_str());
    std::fflush(stdout);
    const SMSComposer::Answer answer = chosenAnswer.load(std::memory_order_relaxed);
    delegate.messageComposeViewControllerDidFinishWithResult(finishResult(answer));
}

SMSComposer::ShownMessage SMSComposer::lastShown() {
    std::lock_guard guard(lastShownMessage().lock);
    return lastShownMessage().message;
}
