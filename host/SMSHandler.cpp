#include "host/SMSHandler.h"

#include "runtime/HostBridge.h"

void SMSHandler::messageComposeViewControllerDidFinishWithResult(int32_t result) {
    m_handshake->answer(result == RESULT_SENT ? SMS_RESULT_SENT : SMS_RESULT_NOT_SENT);
}
