#include "runtime/sensor/sensorconnection_internal.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/sensor/ChannelImpl.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"

namespace javax::microedition::sensor {

using java::lang::jnew;

sensorconnection_internal::sensorconnection_internal(int32_t sensorIndex) : m_sensorIndex(sensorIndex) {
    m_channels = jnew<JArray<Channel>>(getSensorInfo()->getChannelInfos()->length);
}

void sensorconnection_internal::close() {
    markClosed();
    SensorManager::removeConnection(JavaPtr<javax::microedition::io::Connection>(this));
}

JavaPtr<Channel> sensorconnection_internal::getChannel(JavaPtr<ChannelInfo> info) {
    return jnew<ChannelImpl>(std::move(info));
}

JavaPtr<JArray<int>> sensorconnection_internal::getErrorCodes() { return jnew<JArray<int>>(0); }

JavaPtr<java::lang::String> sensorconnection_internal::getErrorText(int32_t) {
    throw java::lang::IllegalArgumentException();
}

JavaPtr<SensorInfo> sensorconnection_internal::getSensorInfo() {
    return (*SensorManager::findAllSensors())[m_sensorIndex];
}

}  // namespace javax::microedition::sensor
