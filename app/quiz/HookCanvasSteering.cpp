// The tilt input: the device's tilt sensor, opened at start-up with the canvas as its listener,
// leaves its last roll and pitch (radians x 1024) for the twinkles to drift with.
#include <cmath>

#include "app/framework/HookCanvas.h"
#include "runtime/connections/Connector.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/sensor/ChannelInfo.h"
#include "runtime/sensor/Data.h"
#include "runtime/sensor/SensorConnection.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"
#include "runtime/text/String.h"

namespace sensor = javax::microedition::sensor;

void HookCanvas::prepForSteering() {
    const JavaPtr<JArray<sensor::SensorInfo>> infos =
        sensor::SensorManager::findSensors(java::lang::jnew<String>("plane_angle"), sensor::SensorInfo::CONTEXT_TYPE_DEVICE);
    if (!infos || infos->length == 0) return;
    try {
        const JavaPtr<String> url = infos->data[0]->getUrl();
        tilt_connection = java::lang::recastObj<sensor::SensorConnection>(javax::microedition::io::Connector::open(url));
        if (tilt_connection)
            tilt_connection->setDataListener(JavaPtr<sensor::DataListener>(this), 0, 50, false, false, false);
    } catch (const java::lang::Exception&) {
        // Without the sensor the twinkles simply do not drift.
    }
}

void HookCanvas::stopSteering() {
    JavaPtr<sensor::SensorConnection> connection;
    {
        auto sync = startSync();
        connection = std::move(tilt_connection);
    }
    if (!connection) return;
    try {
        connection->removeDataListener();
        connection->close();
    } catch (const java::lang::Exception&) {
    }
}

void HookCanvas::dataReceived(JavaPtr<sensor::SensorConnection>, JavaPtr<JArray<sensor::Data>> data, bool) {
    if (!data) return;
    int32_t seen = 0;
    int32_t roll = 0;
    int32_t pitch = 0;
    for (int32_t i = 0; i < data->length; ++i) {
        const JavaPtr<sensor::Data>& channel = data->data[i];
        if (!channel || !channel->getChannelInfo()) continue;
        const JavaPtr<String> name = channel->getChannelInfo()->getName();
        const JavaPtr<JArray<double>> values = channel->getDoubleValues();
        // A channel without values says nothing about the tilt.
        if (!name || !values || values->length == 0) continue;
        const double last = values->data[values->length - 1];
        if (!(std::fabs(last) < 1.0e6)) continue;
        const auto scaled = static_cast<int32_t>(last * 1024.0);
        if (name->equals(java::lang::jnew<String>("roll"))) {
            seen |= 1;
            roll = scaled;
        } else if (name->equals(java::lang::jnew<String>("pitch"))) {
            seen |= 2;
            pitch = scaled;
        }
    }
    if (seen != 3 || (roll == 0 && pitch == 0)) return;
    tilt_roll = roll;
    tilt_pitch = pitch;
}
