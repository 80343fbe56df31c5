// The description of one of the tilt sensor's two channels: 0 "pitch", 1 "roll", in radians.
#pragma once

#include "runtime/lang/Object.h"
#include "runtime/sensor/ChannelInfo.h"

namespace javax::microedition::sensor {

class channelinfo_internal : public java::lang::Object, public virtual ChannelInfo {
    JAVA_CLASS_NAMED(channelinfo_internal, "channelinfo_internal", "javax.microedition.sensor.channelinfo_internal",
                     java::lang::Object, ChannelInfo)
public:
    // Index 1 is the roll channel; any other index describes pitch.
    explicit channelinfo_internal(int32_t index);

    float getAccuracy() override { return -1.0f; }
    int32_t getDataType() override { return TYPE_DOUBLE; }
    // A new one-entry array each call: roll spans -pi to pi, pitch -pi/2 to pi/2.
    JavaPtr<JArray<MeasurementRange>> getMeasurementRanges() override;
    JavaPtr<java::lang::String> getName() override { return m_name; }
    int32_t getScale() override { return 0; }
    JavaPtr<Unit> getUnit() override;

private:
    int32_t m_channelIndex;
    JavaPtr<java::lang::String> m_name;
};

}  // namespace javax::microedition::sensor
