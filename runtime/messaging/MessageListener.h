// Would be told of incoming messages; this system receives none, so it is never called.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::wireless::messaging {

class MessageConnection;

class MessageListener : public virtual java::lang::Smart {
    JAVA_CLASS(MessageListener, "javax.wireless.messaging.MessageListener", java::lang::Smart)
public:
    virtual void notifyIncomingMessage(JavaPtr<MessageConnection> connection) = 0;
};

}  // namespace javax::wireless::messaging
