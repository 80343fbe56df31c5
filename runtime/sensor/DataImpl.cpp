#include "runtime/sensor/DataImpl.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"

namespace javax::microedition::sensor {

namespace {

template <class T>
JavaPtr<JArray<T>> valuesOfType(const JavaPtr<ChannelInfo>& info, int32_t type, const JavaPtr<JArray<T>>& values) {
    if (info->getDataType() != type) throw java::lang::IllegalStateException();
    return values;
}

template <class T>
typename JArray<T>::Element entryOf(const JavaPtr<JArray<T>>& values, int32_t index) {
    if (!values) throw java::lang::IllegalStateException();
    if (index < 0 || index >= values->length) throw java::lang::IndexOutOfBoundsException();
    return (*values)[index];
}

template <class T>
JavaPtr<JArray<T>> firstEntries(const JavaPtr<JArray<T>>& values, int32_t count) {
    if (!values) return nullptr;
    JavaPtr<JArray<T>> cut = java::lang::jnew<JArray<T>>(count);
    java::lang::System::arraycopy(values, 0, cut, 0, count);
    return cut;
}

}  // namespace

JavaPtr<JArray<double>> DataImpl::getDoubleValues() {
    return valuesOfType(channelInfo, ChannelInfo::TYPE_DOUBLE, doubleValues);
}

JavaPtr<JArray<int>> DataImpl::getIntValues() { return valuesOfType(channelInfo, ChannelInfo::TYPE_INT, intValues); }

JavaPtr<JArray<java::lang::Object>> DataImpl::getObjectValues() {
    return valuesOfType(channelInfo, ChannelInfo::TYPE_OBJECT, objectValues);
}

int64_t DataImpl::getTimestamp(int32_t index) { return entryOf(timestamps, index); }

float DataImpl::getUncertainty(int32_t index) { return entryOf(uncertainties, index); }

bool DataImpl::isValid(int32_t index) { return entryOf(validities, index); }

JavaPtr<DataImpl> DataImpl::truncated(int32_t count) const {
    return java::lang::jnew<DataImpl>(channelInfo, firstEntries(doubleValues, count), firstEntries(intValues, count),
                                      firstEntries(objectValues, count), firstEntries(timestamps, count),
                                      firstEntries(uncertainties, count), firstEntries(validities, count));
}

}  // namespace javax::microedition::sensor
