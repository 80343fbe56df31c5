// The sensor API's registry: finds sensors, opens connections to them, registers availability
// listeners, and, once per tick, feeds the open connections (checkListeners).
#pragma once

#include <cstdint>

#include "runtime/connections/Connection.h"
#include "runtime/lang/JArray.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorListener.h"

namespace javax::microedition::sensor {

class SensorManager : public java::lang::Object {
    JAVA_CLASS(SensorManager, "javax.microedition.sensor.SensorManager", java::lang::Object)
public:
    using String = java::lang::String;
    using Connection = javax::microedition::io::Connection;

    // A null argument places no restriction; with both null, the sensor list itself.
    static JavaPtr<JArray<SensorInfo>> findSensors(JavaPtr<String> quantity, JavaPtr<String> contextType);
    // The sensors whose URL is exactly url; empty when none (or url is null).
    static JavaPtr<JArray<SensorInfo>> findSensors(JavaPtr<String> url);
    // Connector's sensor handler: a new open connection for the tilt sensor's exact URL in any
    // mode but WRITE, else null. Never throws.
    static JavaPtr<Connection> openConnection(const JavaPtr<String>& url, int32_t mode, bool timeouts);
    static void removeConnection(JavaPtr<Connection> connection);
    static void addSensorListener(JavaPtr<SensorListener> listener, JavaPtr<String> quantity);
    static void addSensorListener(JavaPtr<SensorListener> listener, JavaPtr<SensorInfo> info);
    // Both kinds of registration of the listener go.
    static void removeSensorListener(JavaPtr<SensorListener> listener);
    static JavaPtr<JArray<SensorInfo>> findAllSensors();
    // The polling pass, on the tick thread: availability reports, then the pending tilt reading
    // into every listening connection, then the deliveries that are due.
    static void checkListeners();

    // Fills Connector's sensor slot; the sensor list itself is built on first use.
    static void SensorManager_staticInit();
    static void SensorManager_staticDestroy();

    // The open connections, in order of opening (a snapshot).
    static JavaPtr<JArray<Connection>> openConnections();

private:
    static void reportAvailability();
};

}  // namespace javax::microedition::sensor
