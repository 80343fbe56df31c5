// The one sensor the system offers: the device's tilt, from the accelerometer, as two angles.
#pragma once

#include <mutex>

#include "runtime/lang/Object.h"
#include "runtime/sensor/SensorInfo.h"

namespace javax::microedition::sensor {

class sensorinfo_plane_tilt_internal : public java::lang::Object, public virtual SensorInfo {
    JAVA_CLASS_NAMED(sensorinfo_plane_tilt_internal, "sensorinfo_plane_tilt_internal",
                     "javax.microedition.sensor.sensorinfo_plane_tilt_internal", java::lang::Object, SensorInfo)
public:
    static constexpr int32_t MAX_BUFFER_SIZE = 256;

    // The same array on every call, made on the first: "pitch", then "roll".
    JavaPtr<JArray<ChannelInfo>> getChannelInfos() override;
    int32_t getConnectionType() override { return CONN_EMBEDDED; }
    // The plain answers are new literal-made strings on every call.
    JavaPtr<String> getContextType() override;
    JavaPtr<String> getDescription() override;
    int32_t getMaxBufferSize() override { return MAX_BUFFER_SIZE; }
    JavaPtr<String> getModel() override;
    JavaPtr<java::lang::Object> getProperty(JavaPtr<String>) override { return nullptr; }
    JavaPtr<JArray<String>> getPropertyNames() override { return nullptr; }
    JavaPtr<String> getQuantity() override;
    // "sensor:" quantity ";context_type=" context ";model=" model.
    JavaPtr<String> getUrl() override;
    bool isAvailable() override { return true; }
    bool isAvailabilityPushSupported() override { return false; }
    bool isConditionPushSupported() override { return false; }

private:
    std::mutex m_channelInfosLock;
    JavaPtr<JArray<ChannelInfo>> m_channelInfos;
};

}  // namespace javax::microedition::sensor
