// A message whose payload is bytes.
#pragma once

#include "runtime/lang/JArray.h"
#include "runtime/messaging/Message.h"

namespace javax::wireless::messaging {

class BinaryMessage : public virtual Message {
    JAVA_CLASS(BinaryMessage, "javax.wireless.messaging.BinaryMessage", Message)
public:
    virtual JavaPtr<JArray<signed char>> getPayloadData() = 0;
    virtual void setPayloadData(JavaPtr<JArray<signed char>> data) = 0;
};

}  // namespace javax::wireless::messaging
