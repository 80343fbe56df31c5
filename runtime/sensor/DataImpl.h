// A batch of one channel's samples as the system delivers it: every array present holds one
// entry per sample, and only the value array of the channel's data type is filled.
#pragma once

#include "runtime/lang/Object.h"
#include "runtime/sensor/ChannelInfo.h"
#include "runtime/sensor/Data.h"

namespace javax::microedition::sensor {

class DataImpl : public java::lang::Object, public virtual Data {
    JAVA_CLASS(DataImpl, "javax.microedition.sensor.DataImpl", java::lang::Object, Data)
public:
    // Stored as given: no copy, no check.
    DataImpl(JavaPtr<ChannelInfo> channelInfo, JavaPtr<JArray<double>> doubleValues, JavaPtr<JArray<int>> intValues,
             JavaPtr<JArray<java::lang::Object>> objectValues, JavaPtr<JArray<long long>> timestamps,
             JavaPtr<JArray<float>> uncertainties, JavaPtr<JArray<bool>> validities)
        : channelInfo(std::move(channelInfo)), doubleValues(std::move(doubleValues)), intValues(std::move(intValues)),
          objectValues(std::move(objectValues)), timestamps(std::move(timestamps)),
          uncertainties(std::move(uncertainties)), validities(std::move(validities)) {}

    JavaPtr<ChannelInfo> getChannelInfo() override { return channelInfo; }
    // The batch's own arrays; IllegalStateException when the channel has another data type.
    JavaPtr<JArray<double>> getDoubleValues() override;
    JavaPtr<JArray<int>> getIntValues() override;
    JavaPtr<JArray<java::lang::Object>> getObjectValues() override;
    // IllegalStateException when the batch was delivered without that array,
    // IndexOutOfBoundsException for an index outside it.
    int64_t getTimestamp(int32_t index) override;
    float getUncertainty(int32_t index) override;
    bool isValid(int32_t index) override;

    // The same channel with each present array cut to its first count entries.
    JavaPtr<DataImpl> truncated(int32_t count) const;

    const JavaPtr<ChannelInfo> channelInfo;
    const JavaPtr<JArray<double>> doubleValues;
    const JavaPtr<JArray<int>> intValues;
    const JavaPtr<JArray<java::lang::Object>> objectValues;
    const JavaPtr<JArray<long long>> timestamps;
    const JavaPtr<JArray<float>> uncertainties;
    const JavaPtr<JArray<bool>> validities;
};

}  // namespace javax::microedition::sensor
