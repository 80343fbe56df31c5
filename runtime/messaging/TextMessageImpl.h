// A text message; its segment count follows the widest character in it.
#pragma once

#include "runtime/messaging/MessageImpl.h"
#include "runtime/messaging/TextMessage.h"

namespace javax::wireless::messaging {

class TextMessageImpl : public MessageImpl, public virtual TextMessage {
    JAVA_CLASS(TextMessageImpl, "javax.wireless.messaging.TextMessageImpl", MessageImpl, TextMessage)
public:
    TextMessageImpl() = default;
    explicit TextMessageImpl(JavaPtr<String> address) : MessageImpl(std::move(address)) {}
    explicit TextMessageImpl(JavaPtr<Date> timestamp) : MessageImpl(std::move(timestamp)) {}
    TextMessageImpl(JavaPtr<String> address, JavaPtr<Date> timestamp)
        : MessageImpl(std::move(timestamp), std::move(address)) {}

    JavaPtr<String> _messageType() override;
    int32_t _getNumSegments() override;
    JavaPtr<String> getPayloadText() override { return m_payloadText; }
    void setPayloadText(JavaPtr<String> text) override { m_payloadText = std::move(text); }

private:
    JavaPtr<String> m_payloadText;
};

}  // namespace javax::wireless::messaging
