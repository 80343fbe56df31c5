// A binary message; it keeps the port of its address and the address without the port.
#pragma once

#include "runtime/messaging/BinaryMessage.h"
#include "runtime/messaging/MessageImpl.h"

namespace javax::wireless::messaging {

class BinaryMessageImpl : public MessageImpl, public virtual BinaryMessage {
    JAVA_CLASS(BinaryMessageImpl, "javax.wireless.messaging.BinaryMessageImpl", MessageImpl, BinaryMessage)
public:
    BinaryMessageImpl() = default;
    // NumberFormatException when the address's port overflows an int.
    explicit BinaryMessageImpl(JavaPtr<String> address);
    explicit BinaryMessageImpl(JavaPtr<Date> timestamp) : MessageImpl(std::move(timestamp)) {}
    BinaryMessageImpl(JavaPtr<String> address, JavaPtr<Date> timestamp);

    JavaPtr<String> _messageType() override;
    int32_t _getNumSegments() override;
    // -1 when the address has none.
    virtual int32_t _getPortNumber() { return m_port; }
    // The address without its port; null when that leaves "sms://" alone.
    virtual JavaPtr<String> _getAndroidUrl() { return m_androidUrl; }
    JavaPtr<JArray<signed char>> getPayloadData() override { return m_payloadData; }
    void setPayloadData(JavaPtr<JArray<signed char>> data) override { m_payloadData = std::move(data); }
    // Sets the port and URL from the address.
    virtual void parseAddrForPortAndUrl(JavaPtr<String> address);
    // A port that overflows throws NumberFormatException and leaves the message as it was.
    void setAddress(JavaPtr<String> address) override;

private:
    JavaPtr<JArray<signed char>> m_payloadData;
    int32_t m_port = -1;
    JavaPtr<String> m_androidUrl;
};

}  // namespace javax::wireless::messaging
