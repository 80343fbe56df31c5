// A message as newMessage makes it: an address and a timestamp; the typed messages add a payload.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"
#include "runtime/messaging/Message.h"
#include "runtime/text/Date.h"

namespace javax::wireless::messaging {

class MessageImpl : public java::lang::Object, public virtual Message {
    JAVA_CLASS(MessageImpl, "javax.wireless.messaging.MessageImpl", java::lang::Object, Message)
public:
    using String = java::lang::String;
    using Date = java::util::Date;

    // Without a timestamp: made now.
    MessageImpl();
    explicit MessageImpl(JavaPtr<String> address);
    explicit MessageImpl(JavaPtr<Date> timestamp) : m_timestamp(std::move(timestamp)) {}
    MessageImpl(JavaPtr<Date> timestamp, JavaPtr<String> address)
        : m_address(std::move(address)), m_timestamp(std::move(timestamp)) {}

    // The type name, null for a message of no type (which can never be sent).
    virtual JavaPtr<String> _messageType() { return nullptr; }
    virtual int32_t _getNumSegments() { return 0; }
    JavaPtr<String> getAddress() override { return m_address; }
    // A copy, so changing it leaves the message as it was; null when made with a null date.
    JavaPtr<Date> getTimestamp() override;
    void setAddress(JavaPtr<String> address) override { m_address = std::move(address); }

private:
    JavaPtr<String> m_address;
    JavaPtr<Date> m_timestamp;
};

}  // namespace javax::wireless::messaging
