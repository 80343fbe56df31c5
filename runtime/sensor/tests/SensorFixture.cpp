#include "runtime/sensor/tests/SensorFixture.h"

#include "runtime/connections/Connector.h"

namespace sensortest {

JavaPtr<sensor::SensorConnection> SensorFixture::openTilt() {
    return java::lang::recastObj<sensor::SensorConnection>(
        javax::microedition::io::Connector::open(jnew<java::lang::String>(TILT_URL)));
}

Batch batchOf(const JavaPtr<JArray<sensor::Data>>& data, bool dataLost) {
    Batch batch;
    batch.dataLost = dataLost;
    batch.thread = std::this_thread::get_id();
    for (int32_t channel = 0; channel < data->length; ++channel) {
        JavaPtr<JArray<double>> values = (*data)[channel]->getDoubleValues();
        std::vector<double>& into = channel == 0 ? batch.pitch : batch.roll;
        into.assign(values->data, values->data + values->length);
    }
    JavaPtr<sensor::DataImpl> first = java::lang::recastObj<sensor::DataImpl>((*data)[0]);
    if (first->timestamps)
        for (int32_t i = 0; i < first->timestamps->length; ++i) batch.times.push_back(first->getTimestamp(i));
    batch.uncertainties = first->uncertainties != nullptr;
    batch.validities = first->validities != nullptr;
    return batch;
}

}  // namespace sensortest
