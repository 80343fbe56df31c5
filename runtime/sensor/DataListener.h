// Receives a connection's batches, one Data per channel, on the runtime's tick thread.
#pragma once

#include "runtime/lang/JArray.h"

namespace javax::microedition::sensor {

class Data;
class SensorConnection;

class DataListener : public virtual java::lang::Smart {
    JAVA_CLASS(DataListener, "javax.microedition.sensor.DataListener", java::lang::Smart)
public:
    virtual void dataReceived(JavaPtr<SensorConnection> connection, JavaPtr<JArray<Data>> data,
                              bool isDataLost) = 0;
};

}  // namespace javax::microedition::sensor
