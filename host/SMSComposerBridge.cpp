// sendSMS and canSendSMS: the composer is shown on the UI thread, as the platform requires.
#include <cstdio>
#include <memory>
#include <string>

#include "host/SMSComposer.h"
#include "host/SMSHandler.h"
#include "host/SMSHandshake.h"
#include "platform/UiThread.h"
#include "runtime/HostBridge.h"
#include "runtime/lang/UncaughtHandler.h"

namespace {

void sendSMSHandler(const std::shared_ptr<SMSHandshake>& handshake) {
    SMSHandler delegate(handshake);
    SMSComposer::present(*handshake, delegate);
}

// No composer, nothing shown: the outcome is "not sent" at once.
void modalSendSMS(const std::shared_ptr<SMSHandshake>& handshake) {
    if (!SMSComposer::canSendText()) {
        handshake->answer(SMS_RESULT_NOT_SENT);
        return;
    }
    sendSMSHandler(handshake);
}

}  // namespace

int32_t sendSMS(const char* smsAddressValue, const char* smsMessageValue) {
    auto handshake = std::make_shared<SMSHandshake>(smsAddressValue ? smsAddressValue : "",
                                                    smsMessageValue ? smsMessageValue : "");
    const bool shown = java::lang::runGuarded([&] { UiThread::runAndWait([&] { modalSendSMS(handshake); }); });
    // A composer that failed to come up will never answer; its sender must not wait for it.
    if (!shown) handshake->answer(SMS_RESULT_NOT_SENT);
    return handshake->awaitOutcome();
}

int32_t canSendSMS() { return SMSComposer::canSendText() ? 1 : 0; }

void binaryMessageNotSent(const char* recipient) {
    std::printf("binary message not sent: to %s\n", recipient ? recipient : "");
    std::fflush(stdout);
}
