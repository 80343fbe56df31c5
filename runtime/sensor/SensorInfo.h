// The description of one sensor: what it measures, how it is connected, its channels and URL.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"

namespace javax::microedition::sensor {

class ChannelInfo;

class SensorInfo : public virtual java::lang::Smart {
    JAVA_CLASS(SensorInfo, "javax.microedition.sensor.SensorInfo", java::lang::Smart)
public:
    using String = java::lang::String;

    static constexpr int32_t CONN_EMBEDDED = 1;
    static constexpr int32_t CONN_REMOTE = 2;
    static constexpr int32_t CONN_SHORT_RANGE_WIRELESS = 4;
    static constexpr int32_t CONN_WIRED = 8;

    static inline JavaPtr<String> CONTEXT_TYPE_AMBIENT;
    static inline JavaPtr<String> CONTEXT_TYPE_DEVICE;
    static inline JavaPtr<String> CONTEXT_TYPE_USER;
    static inline JavaPtr<String> CONTEXT_TYPE_VEHICLE;
    static inline JavaPtr<String> PROP_IS_CONTROLLABLE;
    static inline JavaPtr<String> PROP_IS_REPORTING_ERRORS;
    static inline JavaPtr<String> PROP_LATITUDE;
    static inline JavaPtr<String> PROP_LOCATION;
    static inline JavaPtr<String> PROP_LONGITUDE;
    static inline JavaPtr<String> PROP_MAX_RATE;
    static inline JavaPtr<String> PROP_VENDOR;
    static inline JavaPtr<String> PROP_VERSION;

    static void SensorInfo_staticInit();
    static void SensorInfo_staticDestroy();

    virtual JavaPtr<JArray<ChannelInfo>> getChannelInfos() = 0;
    virtual int32_t getConnectionType() = 0;
    virtual JavaPtr<String> getContextType() = 0;
    virtual JavaPtr<String> getDescription() = 0;
    virtual int32_t getMaxBufferSize() = 0;
    virtual JavaPtr<String> getModel() = 0;
    virtual JavaPtr<java::lang::Object> getProperty(JavaPtr<String> name) = 0;
    virtual JavaPtr<JArray<String>> getPropertyNames() = 0;
    virtual JavaPtr<String> getQuantity() = 0;
    virtual JavaPtr<String> getUrl() = 0;
    virtual bool isAvailable() = 0;
    virtual bool isAvailabilityPushSupported() = 0;
    virtual bool isConditionPushSupported() = 0;
};

}  // namespace javax::microedition::sensor
