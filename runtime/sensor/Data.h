// One channel's batch of samples, with optional timestamps, uncertainties and validities.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"

namespace javax::microedition::sensor {

class ChannelInfo;

class Data : public virtual java::lang::Smart {
    JAVA_CLASS(Data, "javax.microedition.sensor.Data", java::lang::Smart)
public:
    virtual JavaPtr<ChannelInfo> getChannelInfo() = 0;
    virtual JavaPtr<JArray<double>> getDoubleValues() = 0;
    virtual JavaPtr<JArray<int>> getIntValues() = 0;
    virtual JavaPtr<JArray<java::lang::Object>> getObjectValues() = 0;
    virtual int64_t getTimestamp(int32_t index) = 0;
    virtual float getUncertainty(int32_t index) = 0;
    virtual bool isValid(int32_t index) = 0;
};

}  // namespace javax::microedition::sensor
