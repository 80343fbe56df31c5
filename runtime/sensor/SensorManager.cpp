#include "runtime/sensor/SensorManager.h"

#include <mutex>

#include "runtime/connections/Connector.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/sensor/sensorconnection_internal.h"
#include "runtime/sensor/sensorinfo_plane_tilt_internal.h"
#include "runtime/text/String.h"

namespace javax::microedition::sensor {

using java::lang::jnew;

namespace {

// Application threads change the lists while the tick thread walks them: every read and write of
// them, the in-place appends included, holds this lock; listeners are called without it.
std::mutex registryLock;
JavaPtr<JArray<SensorInfo>> allSensors;
JavaPtr<JArray<SensorListener>> allSensorListeners;
JavaPtr<JArray<SensorInfo>> allSensorListenerInfos;
JavaPtr<JArray<java::lang::String>> allSensorListenerQuantities;
JavaPtr<JArray<bool>> allSensorListenerAvailabilities;
JavaPtr<JArray<io::Connection>> allConnections;

constexpr int32_t TILT_SENSOR = 0;

// Under the lock: a registration is added to all four lists, which stay parallel.
void appendRegistrationLocked(const JavaPtr<SensorListener>& listener, const JavaPtr<SensorInfo>& info,
                              const JavaPtr<java::lang::String>& quantity) {
    if (!allSensorListeners) {
        allSensorListeners = jnew<JArray<SensorListener>>(0);
        allSensorListenerInfos = jnew<JArray<SensorInfo>>(0);
        allSensorListenerQuantities = jnew<JArray<java::lang::String>>(0);
        allSensorListenerAvailabilities = jnew<JArray<bool>>(0);
    }
    allSensorListenerInfos->append(info);
    allSensorListenerQuantities->append(quantity);
    allSensorListenerAvailabilities->append(false);
    allSensorListeners->append(listener);
}

template <class T, class Keep>
JavaPtr<JArray<T>> kept(const JavaPtr<JArray<T>>& list, Keep keep) {
    JavaPtr<JArray<T>> result = jnew<JArray<T>>(0);
    for (int32_t i = 0; i < list->length; ++i)
        if (keep(i)) result->append((*list)[i]);
    return result;
}

}  // namespace

namespace registry {

bool listenerAt(int32_t index, const JavaPtr<SensorInfo>& sensor, JavaPtr<SensorListener>& dueListener) {
    std::lock_guard guard(registryLock);
    if (!allSensorListeners || index >= allSensorListeners->length) return false;
    if ((*allSensorListenerAvailabilities)[index]) return true;
    const JavaPtr<java::lang::String>& quantity = (*allSensorListenerQuantities)[index];
    // A quantity matches only when both strings are literal-made and equal.
    const bool matches = (*allSensorListenerInfos)[index] == sensor || (quantity && *quantity == sensor->getQuantity());
    if (!matches) return true;
    (*allSensorListenerAvailabilities)[index] = true;
    dueListener = (*allSensorListeners)[index];
    return true;
}

JavaPtr<io::Connection> connectionAt(int32_t index, bool& past) {
    std::lock_guard guard(registryLock);
    past = !allConnections || index >= allConnections->length;
    return past ? nullptr : (*allConnections)[index];
}

}  // namespace registry

JavaPtr<JArray<SensorInfo>> SensorManager::findAllSensors() {
    std::lock_guard guard(registryLock);
    if (!allSensors) {
        allSensors = jnew<JArray<SensorInfo>>(1);
        (*allSensors)[TILT_SENSOR] = jnew<sensorinfo_plane_tilt_internal>();
    }
    return allSensors;
}

JavaPtr<JArray<SensorInfo>> SensorManager::findSensors(JavaPtr<String> quantity, JavaPtr<String> contextType) {
    JavaPtr<JArray<SensorInfo>> sensors = findAllSensors();
    if (!quantity && !contextType) return sensors;
    JavaPtr<JArray<SensorInfo>> found = jnew<JArray<SensorInfo>>(0);
    for (int32_t i = 0; i < sensors->length; ++i) {
        const JavaPtr<SensorInfo>& sensor = (*sensors)[i];
        if (quantity && !quantity->equals(sensor->getQuantity())) continue;
        if (contextType && !contextType->equals(sensor->getContextType())) continue;
        found->append(sensor);
    }
    return found;
}

JavaPtr<JArray<SensorInfo>> SensorManager::findSensors(JavaPtr<String> url) {
    JavaPtr<JArray<SensorInfo>> sensors = findAllSensors();
    JavaPtr<JArray<SensorInfo>> found = jnew<JArray<SensorInfo>>(0);
    if (!url) return found;
    for (int32_t i = 0; i < sensors->length; ++i)
        if (url->equals((*sensors)[i]->getUrl())) found->append((*sensors)[i]);
    return found;
}

JavaPtr<io::Connection> SensorManager::openConnection(const JavaPtr<String>& url, int32_t mode, bool) {
    JavaPtr<JArray<SensorInfo>> sensors = findAllSensors();
    if (mode == io::Connector::WRITE || !url) return nullptr;
    if (!url->equals((*sensors)[TILT_SENSOR]->getUrl())) return nullptr;
    JavaPtr<io::Connection> connection = jnew<sensorconnection_internal>(TILT_SENSOR);
    std::lock_guard guard(registryLock);
    if (!allConnections) allConnections = jnew<JArray<io::Connection>>(0);
    allConnections->append(connection);
    return connection;
}

void SensorManager::removeConnection(JavaPtr<Connection> connection) {
    std::lock_guard guard(registryLock);
    if (!allConnections) return;
    allConnections = kept(allConnections, [&](int32_t i) { return !((*allConnections)[i] == connection); });
}

JavaPtr<JArray<io::Connection>> SensorManager::openConnections() {
    std::lock_guard guard(registryLock);
    if (!allConnections) return nullptr;
    return kept(allConnections, [](int32_t) { return true; });
}

void SensorManager::addSensorListener(JavaPtr<SensorListener> listener, JavaPtr<String> quantity) {
    std::lock_guard guard(registryLock);
    if (allSensorListeners) {
        for (int32_t i = 0; i < allSensorListeners->length; ++i) {
            if (!((*allSensorListeners)[i] == listener)) continue;
            const JavaPtr<String>& registered = (*allSensorListenerQuantities)[i];
            if (registered ? *registered == quantity : !quantity) return;
        }
    }
    appendRegistrationLocked(listener, nullptr, quantity);
}

void SensorManager::addSensorListener(JavaPtr<SensorListener> listener, JavaPtr<SensorInfo> info) {
    std::lock_guard guard(registryLock);
    if (allSensorListeners) {
        for (int32_t i = 0; i < allSensorListeners->length; ++i)
            if ((*allSensorListeners)[i] == listener && (*allSensorListenerInfos)[i] == info) return;
    }
    appendRegistrationLocked(listener, info, nullptr);
}

void SensorManager::removeSensorListener(JavaPtr<SensorListener> listener) {
    std::lock_guard guard(registryLock);
    if (!allSensorListeners) return;
    auto keep = [&](int32_t i) { return !((*allSensorListeners)[i] == listener); };
    allSensorListenerInfos = kept(allSensorListenerInfos, keep);
    allSensorListenerQuantities = kept(allSensorListenerQuantities, keep);
    allSensorListenerAvailabilities = kept(allSensorListenerAvailabilities, keep);
    allSensorListeners = kept(allSensorListeners, keep);
}

void SensorManager::SensorManager_staticInit() {
    io::Connector::setHandler(io::Connector::HandlerSlot::SENSORS, &SensorManager::openConnection);
}

void SensorManager::SensorManager_staticDestroy() {
    io::Connector::setHandler(io::Connector::HandlerSlot::SENSORS, nullptr);
    // Released after the lock is let go: a connection's destruction may come back here.
    JavaPtr<java::lang::Object> released[6];
    std::lock_guard guard(registryLock);
    released[0] = std::move(allSensors);
    released[1] = std::move(allSensorListeners);
    released[2] = std::move(allSensorListenerInfos);
    released[3] = std::move(allSensorListenerQuantities);
    released[4] = std::move(allSensorListenerAvailabilities);
    released[5] = std::move(allConnections);
}

}  // namespace javax::microedition::sensor
