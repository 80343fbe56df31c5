// Told when a condition registered on a channel is met.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::sensor {

class Condition;
class Data;
class SensorConnection;

class ConditionListener : public virtual java::lang::Smart {
    JAVA_CLASS(ConditionListener, "javax.microedition.sensor.ConditionListener", java::lang::Smart)
public:
    virtual void conditionMet(JavaPtr<SensorConnection> connection, JavaPtr<Data> data,
                              JavaPtr<Condition> condition) = 0;
};

}  // namespace javax::microedition::sensor
