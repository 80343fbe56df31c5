#include "runtime/messaging/BinaryMessageImpl.h"

#include "runtime/messaging/MessageConnection.h"
#include "runtime/messaging/SmsFormat.h"

namespace javax::wireless::messaging {

BinaryMessageImpl::BinaryMessageImpl(JavaPtr<String> address) : MessageImpl(address) {
    parseAddrForPortAndUrl(std::move(address));
}

BinaryMessageImpl::BinaryMessageImpl(JavaPtr<String> address, JavaPtr<Date> timestamp)
    : MessageImpl(std::move(timestamp), address) {
    parseAddrForPortAndUrl(std::move(address));
}

JavaPtr<java::lang::String> BinaryMessageImpl::_messageType() { return MessageConnection::BINARY_MESSAGE; }

int32_t BinaryMessageImpl::_getNumSegments() { return smsformat::binarySegments(m_payloadData); }

void BinaryMessageImpl::parseAddrForPortAndUrl(JavaPtr<String> address) {
    smsformat::PortAndUrl parsed = smsformat::parsePortAndUrl(address);
    m_port = parsed.port;
    m_androidUrl = std::move(parsed.url);
}

void BinaryMessageImpl::setAddress(JavaPtr<String> address) {
    // Parsed before anything is stored, so an overflowing port changes nothing.
    smsformat::PortAndUrl parsed = smsformat::parsePortAndUrl(address);
    MessageImpl::setAddress(std::move(address));
    m_port = parsed.port;
    m_androidUrl = std::move(parsed.url);
}

}  // namespace javax::wireless::messaging
