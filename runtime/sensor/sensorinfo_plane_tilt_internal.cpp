#include "runtime/sensor/sensorinfo_plane_tilt_internal.h"

#include "runtime/sensor/channelinfo_internal.h"
#include "runtime/text/String.h"

namespace javax::microedition::sensor {

using java::lang::jnew;

JavaPtr<JArray<ChannelInfo>> sensorinfo_plane_tilt_internal::getChannelInfos() {
    // Asked for by the tick thread and the application's threads alike.
    std::lock_guard guard(m_channelInfosLock);
    if (!m_channelInfos) {
        JavaPtr<JArray<ChannelInfo>> infos = jnew<JArray<ChannelInfo>>(2);
        (*infos)[0] = jnew<channelinfo_internal>(0);
        (*infos)[1] = jnew<channelinfo_internal>(1);
        m_channelInfos = std::move(infos);
    }
    return m_channelInfos;
}

JavaPtr<java::lang::String> sensorinfo_plane_tilt_internal::getContextType() { return jnew<String>("device"); }

JavaPtr<java::lang::String> sensorinfo_plane_tilt_internal::getDescription() {
    return jnew<String>("Tilt info returned from the iPhone accelerometer");
}

JavaPtr<java::lang::String> sensorinfo_plane_tilt_internal::getModel() { return jnew<String>("iPhone"); }

JavaPtr<java::lang::String> sensorinfo_plane_tilt_internal::getQuantity() { return jnew<String>("plane_angle"); }

JavaPtr<java::lang::String> sensorinfo_plane_tilt_internal::getUrl() {
    return jnew<String>("sensor:") + getQuantity() + ";context_type=" + getContextType() + ";model=" + getModel();
}

}  // namespace javax::microedition::sensor
