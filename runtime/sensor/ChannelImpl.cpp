#include "runtime/sensor/ChannelImpl.h"

#include "runtime/text/String.h"

namespace javax::microedition::sensor {

using java::lang::jnew;

void ChannelImpl::addCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) {
    if (!conditions) {
        conditions = jnew<JArray<Condition>>(0);
        conditionListeners = jnew<JArray<ConditionListener>>(0);
    } else {
        for (int32_t i = 0; i < conditions->length; ++i)
            if ((*conditionListeners)[i] == listener && (*conditions)[i] == condition) return;
    }
    JavaPtr<JArray<Condition>> moreConditions = jnew<JArray<Condition>>(conditions->length + 1);
    JavaPtr<JArray<ConditionListener>> moreListeners = jnew<JArray<ConditionListener>>(conditions->length + 1);
    for (int32_t i = 0; i < conditions->length; ++i) {
        (*moreConditions)[i] = (*conditions)[i];
        (*moreListeners)[i] = (*conditionListeners)[i];
    }
    (*moreConditions)[conditions->length] = std::move(condition);
    (*moreListeners)[conditions->length] = std::move(listener);
    conditions = std::move(moreConditions);
    conditionListeners = std::move(moreListeners);
}

JavaPtr<java::lang::String> ChannelImpl::getChannelUrl() {
    return jnew<java::lang::String>("channel=") + channelInfo->getName();
}

JavaPtr<JArray<Condition>> ChannelImpl::getConditions(JavaPtr<ConditionListener> listener) {
    JavaPtr<JArray<Condition>> found = jnew<JArray<Condition>>(0);
    if (!conditions) return found;
    for (int32_t i = 0; i < conditions->length; ++i)
        if ((*conditionListeners)[i] == listener) found->append((*conditions)[i]);
    return found;
}

void ChannelImpl::removeAllConditions() {
    conditions = nullptr;
    conditionListeners = nullptr;
}

template <class Keep>
void ChannelImpl::keepPairs(Keep keep) {
    if (!conditions) return;
    JavaPtr<JArray<Condition>> keptConditions = jnew<JArray<Condition>>(0);
    JavaPtr<JArray<ConditionListener>> keptListeners = jnew<JArray<ConditionListener>>(0);
    for (int32_t i = 0; i < conditions->length; ++i) {
        if (!keep((*conditionListeners)[i], (*conditions)[i])) continue;
        keptConditions->append((*conditions)[i]);
        keptListeners->append((*conditionListeners)[i]);
    }
    conditions = std::move(keptConditions);
    conditionListeners = std::move(keptListeners);
}

void ChannelImpl::removeCondition(JavaPtr<ConditionListener> listener, JavaPtr<Condition> condition) {
    keepPairs([&](const JavaPtr<ConditionListener>& l, const JavaPtr<Condition>& c) {
        return !(l == listener && c == condition);
    });
}

void ChannelImpl::removeConditionListener(JavaPtr<ConditionListener> listener) {
    keepPairs([&](const JavaPtr<ConditionListener>& l, const JavaPtr<Condition>&) { return !(l == listener); });
}

}  // namespace javax::microedition::sensor
