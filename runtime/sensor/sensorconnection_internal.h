// An open connection to the tilt sensor, made by SensorManager::openConnection.
#pragma once

#include "runtime/sensor/SensorConnection.h"

namespace javax::microedition::sensor {

class sensorconnection_internal : public SensorConnection {
    JAVA_CLASS_NAMED(sensorconnection_internal, "sensorconnection_internal",
                     "javax.microedition.sensor.sensorconnection_internal", SensorConnection)
public:
    explicit sensorconnection_internal(int32_t sensorIndex);

    // Closed, and off the polling pass's list; a listener and batch stay until destruction.
    void close() override;
    // A new channel on every call; the description is not checked against the sensor's.
    JavaPtr<Channel> getChannel(JavaPtr<ChannelInfo> info) override;
    JavaPtr<JArray<int>> getErrorCodes() override;
    // The sensor has no error codes: IllegalArgumentException for each.
    JavaPtr<java::lang::String> getErrorText(int32_t errorCode) override;
    JavaPtr<SensorInfo> getSensorInfo() override;

    int32_t sensorIndex() const { return m_sensorIndex; }

private:
    int32_t m_sensorIndex;
    JavaPtr<JArray<Channel>> m_channels;
};

}  // namespace javax::microedition::sensor
