// The composer's delegate for one send: turns the composer's finish into that send's outcome.
#pragma once

#include <cstdint>
#include <memory>

#include "host/SMSHandshake.h"

class SMSHandler {
public:
    // The composer's finish results.
    static constexpr int32_t RESULT_CANCELLED = 0;
    static constexpr int32_t RESULT_SENT = 1;
    static constexpr int32_t RESULT_FAILED = 2;

    explicit SMSHandler(std::shared_ptr<SMSHandshake> handshake) : m_handshake(std::move(handshake)) {}

    // Sent answers 1; any other result, 2.
    void messageComposeViewControllerDidFinishWithResult(int32_t result);

private:
    std::shared_ptr<SMSHandshake> m_handshake;
};
