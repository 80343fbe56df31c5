// A message: its address ("sms://" number [":" port]) and the time it was made.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace java::util { class Date; }

namespace javax::wireless::messaging {

class Message : public virtual java::lang::Smart {
    JAVA_CLASS(Message, "javax.wireless.messaging.Message", java::lang::Smart)
public:
    virtual JavaPtr<java::lang::String> getAddress() = 0;
    virtual JavaPtr<java::util::Date> getTimestamp() = 0;
    virtual void setAddress(JavaPtr<java::lang::String> address) = 0;
};

}  // namespace javax::wireless::messaging
