// A connection that makes messages, counts their SMS segments and sends them.
#pragma once

#include <cstdint>

#include "runtime/connections/Connection.h"

namespace javax::wireless::messaging {

class Message;
class MessageListener;

class MessageConnection : public virtual javax::microedition::io::Connection {
    JAVA_CLASS(MessageConnection, "javax.wireless.messaging.MessageConnection", javax::microedition::io::Connection)
public:
    using String = java::lang::String;

    // The message type names, compared with equals.
    static inline JavaPtr<String> TEXT_MESSAGE;
    static inline JavaPtr<String> BINARY_MESSAGE;
    static inline JavaPtr<String> MULTIPART_MESSAGE;

    // Also fills Connector's message slot, and the destroy empties it.
    static void MessageConnection_staticInit();
    static void MessageConnection_staticDestroy();

    virtual JavaPtr<Message> newMessage(JavaPtr<String> type) = 0;
    virtual JavaPtr<Message> newMessage(JavaPtr<String> type, JavaPtr<String> address) = 0;
    virtual int32_t numberOfSegments(JavaPtr<Message> message) = 0;
    virtual JavaPtr<Message> receive() = 0;
    virtual void send(JavaPtr<Message> message) = 0;
    virtual void setMessageListener(JavaPtr<MessageListener> listener) = 0;
};

}  // namespace javax::wireless::messaging
