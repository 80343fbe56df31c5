// A channel of an open sensor connection, carrying (listener, condition) registrations.
#pragma once

#include "runtime/lang/JArray.h"

namespace javax::microedition::sensor {

class ChannelInfo;
class Condition;
class ConditionListener;

class Channel : public virtual java::lang::Smart {
    JAVA_CLASS(Channel, "javax.microedition.sensor.Channel", java::lang::Smart)
public:
    virtual void addCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) = 0;
    virtual JavaPtr<ChannelInfo> getChannelInfo() = 0;
    virtual JavaPtr<java::lang::String> getChannelUrl() = 0;
    virtual JavaPtr<JArray<Condition>> getConditions(JavaPtr<ConditionListener> listener) = 0;
    virtual void removeAllConditions() = 0;
    virtual void removeCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) = 0;
    virtual void removeConditionListener(JavaPtr<ConditionListener> listener) = 0;
};

}  // namespace javax::microedition::sensor
