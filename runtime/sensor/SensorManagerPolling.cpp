// The polling pass: the only work the sensor API does on its own, once per tick.
#include <mutex>

#include "runtime/lang/UncaughtHandler.h"
#include "runtime/sensor/SensorManager.h"
#include "runtime/sensor/TiltFeed.h"
#include "runtime/sensor/sensorconnection_internal.h"
#include "runtime/text/String.h"

namespace javax::microedition::sensor {

namespace registry {
// The lists the pass walks, read afresh under the registry's lock at each step.
bool listenerAt(int32_t index, const JavaPtr<SensorInfo>& sensor, JavaPtr<SensorListener>& dueListener);
JavaPtr<io::Connection> connectionAt(int32_t index, bool& past);
}  // namespace registry

void SensorManager::reportAvailability() {
    const JavaPtr<SensorInfo> sensor = (*findAllSensors())[0];
    JavaPtr<SensorListener> listener;
    // Each registration is marked as told before it is told, so a listener that throws is told once.
    for (int32_t i = 0; registry::listenerAt(i, sensor, listener); ++i) {
        if (!listener) continue;
        java::lang::runGuarded([&] { listener->sensorAvailable(sensor); });
        listener = nullptr;
    }
}

void SensorManager::checkListeners() {
    reportAvailability();
    TiltFeed::Reading reading;
    const bool pending = TiltFeed::pending(reading);
    bool visited = false;
    bool past = false;
    for (int32_t i = 0;; ++i) {
        const JavaPtr<sensorconnection_internal> connection =
            java::lang::recastObj<sensorconnection_internal>(registry::connectionAt(i, past));
        if (past) break;
        if (!connection || connection->sensorIndex() != 0) continue;
        if (pending) visited = true;
        // One connection that fails keeps none of the others from their readings.
        java::lang::runGuarded([&] {
            if (pending) {
                const JavaPtr<SensorInfo> sensor = connection->getSensorInfo();
                const double values[] = {reading.pitch, reading.roll};
                connection->bufferReading(sensor->getChannelInfos(), sensor->getMaxBufferSize(), values,
                                          reading.timestamp);
            }
            connection->deliverIfDue();
        });
    }
    // With no tilt connection open the reading waits for a later pass.
    if (pending && visited) TiltFeed::consume(reading.serial);
}

}  // namespace javax::microedition::sensor
