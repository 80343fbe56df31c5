#include "runtime/messaging/TextMessageImpl.h"

#include "runtime/messaging/MessageConnection.h"
#include "runtime/messaging/SmsFormat.h"

namespace javax::wireless::messaging {

JavaPtr<java::lang::String> TextMessageImpl::_messageType() { return MessageConnection::TEXT_MESSAGE; }

int32_t TextMessageImpl::_getNumSegments() { return smsformat::textSegments(m_payloadText); }

}  // namespace javax::wireless::messaging
