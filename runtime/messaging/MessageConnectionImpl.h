// The client connection Connector opens for an "sms://" name: makes messages, counts their
// segments, and sends a text through the platform's message composer. Binary messages are
// checked but never sent, and nothing is ever received.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/Object.h"
#include "runtime/messaging/MessageConnection.h"

namespace javax::wireless::messaging {

class MessageConnectionImpl : public java::lang::Object, public virtual MessageConnection {
    JAVA_CLASS(MessageConnectionImpl, "javax.microedition.io.MessageConnectionImpl", java::lang::Object,
               MessageConnection)
public:
    MessageConnectionImpl() = default;
    MessageConnectionImpl(JavaPtr<String> url, bool client) : m_isClient(client), m_url(std::move(url)) {}

    // Connector's message handler: "sms://" names, except the server form "sms://:".
    static JavaPtr<javax::microedition::io::Connection> openConnection(const JavaPtr<String>& name, int32_t mode,
                                                                       bool timeouts);

    void close() override { m_isOpen.store(false, std::memory_order_relaxed); }
    // Addressed to the connection's own name.
    JavaPtr<Message> newMessage(JavaPtr<String> type) override;
    // Closed: a message of no type. Open: text or binary by type, IllegalArgumentException otherwise.
    JavaPtr<Message> newMessage(JavaPtr<String> type, JavaPtr<String> address) override;
    // NullPointerException for null, IllegalArgumentException for a message newMessage did not make.
    int32_t numberOfSegments(JavaPtr<Message> message) override;
    // IOException: this system has only client connections.
    JavaPtr<Message> receive() override;
    // Returns once a text was sent, or a binary message passed its checks (it is not sent).
    // IOException when closed or not sent; NullPointerException, IllegalArgumentException for
    // messages that cannot be sent.
    void send(JavaPtr<Message> message) override;
    void setMessageListener(JavaPtr<MessageListener> listener) override;

    // Shows the composer with the number and text (as UTF-8) on the UI thread and waits for this
    // send's own outcome: true when sent.
    static bool sendText(const JavaPtr<String>& number, const JavaPtr<String>& text);

private:
    void refuseUnlessOpenServer();

    std::atomic<bool> m_isOpen{true};
    bool m_isClient = true;
    JavaPtr<String> m_url;
};

}  // namespace javax::wireless::messaging
