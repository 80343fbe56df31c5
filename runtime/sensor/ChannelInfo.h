// The description of one channel of a sensor: its values' type, ranges, unit and name.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"

namespace javax::microedition::sensor {

class MeasurementRange;
class Unit;

class ChannelInfo : public virtual java::lang::Smart {
    JAVA_CLASS(ChannelInfo, "javax.microedition.sensor.ChannelInfo", java::lang::Smart)
public:
    static constexpr int32_t TYPE_DOUBLE = 1;
    static constexpr int32_t TYPE_INT = 2;
    static constexpr int32_t TYPE_OBJECT = 4;

    virtual float getAccuracy() = 0;
    virtual int32_t getDataType() = 0;
    virtual JavaPtr<JArray<MeasurementRange>> getMeasurementRanges() = 0;
    virtual JavaPtr<java::lang::String> getName() = 0;
    virtual int32_t getScale() = 0;
    virtual JavaPtr<Unit> getUnit() = 0;
};

}  // namespace javax::microedition::sensor
