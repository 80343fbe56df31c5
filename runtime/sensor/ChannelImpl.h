// A channel of a sensor connection and its (listener, condition) registrations, kept as two
// parallel arrays: both null, or both present with equal length and no pair twice.
#pragma once

#include "runtime/lang/Object.h"
#include "runtime/sensor/Channel.h"
#include "runtime/sensor/ChannelInfo.h"
#include "runtime/sensor/Condition.h"
#include "runtime/sensor/ConditionListener.h"

namespace javax::microedition::sensor {

class ChannelImpl : public java::lang::Object, public virtual Channel {
    JAVA_CLASS(ChannelImpl, "javax.microedition.sensor.ChannelImpl", java::lang::Object, Channel)
public:
    ChannelImpl() = default;
    explicit ChannelImpl(JavaPtr<ChannelInfo> info) : channelInfo(std::move(info)) {}

    void addCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) override;
    JavaPtr<ChannelInfo> getChannelInfo() override { return channelInfo; }
    // "channel=" and the channel's name.
    JavaPtr<java::lang::String> getChannelUrl() override;
    // Never null: empty when the listener has no pair.
    JavaPtr<JArray<Condition>> getConditions(JavaPtr<ConditionListener> listener) override;
    void removeAllConditions() override;
    void removeCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) override;
    void removeConditionListener(JavaPtr<ConditionListener> listener) override;

    JavaPtr<ChannelInfo> channelInfo;
    JavaPtr<JArray<ConditionListener>> conditionListeners;
    JavaPtr<JArray<Condition>> conditions;

private:
    // Replaces both arrays by new ones holding the pairs the predicate keeps, in order.
    template <class Keep>
    void keepPairs(Keep keep);
};

}  // namespace javax::microedition::sensor
