// Told when a sensor becomes available or unavailable.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::sensor {

class SensorInfo;

class SensorListener : public virtual java::lang::Smart {
    JAVA_CLASS(SensorListener, "javax.microedition.sensor.SensorListener", java::lang::Smart)
public:
    virtual void sensorAvailable(JavaPtr<SensorInfo> info) = 0;
    virtual void sensorUnavailable(JavaPtr<SensorInfo> info) = 0;
};

}  // namespace javax::microedition::sensor
