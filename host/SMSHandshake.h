// One send's exchange with the message composer: the texts it shows and the outcome it gives.
// Each send has its own, so a second send cannot overwrite the first one's outcome.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

class SMSHandshake {
public:
    static constexpr int32_t PENDING = -1;

    SMSHandshake(std::string address, std::string message)
        : smsAddressValue(std::move(address)), smsMessageValue(std::move(message)) {}

    const std::string smsAddressValue;
    const std::string smsMessageValue;

    // The first answer counts; a composer that answers twice changes nothing.
    void answer(int32_t outcome);
    int32_t outcome();
    // Blocks until answered.
    int32_t awaitOutcome();

private:
    std::mutex m_lock;
    std::condition_variable m_answered;
    int32_t m_smsDelegateValue = PENDING;
};
