// A message whose payload is text.
#pragma once

#include "runtime/messaging/Message.h"

namespace javax::wireless::messaging {

class TextMessage : public virtual Message {
    JAVA_CLASS(TextMessage, "javax.wireless.messaging.TextMessage", Message)
public:
    virtual JavaPtr<java::lang::String> getPayloadText() = 0;
    virtual void setPayloadText(JavaPtr<java::lang::String> text) = 0;
};

}  // namespace javax::wireless::messaging
