// The sensor library's statics set up and torn down around each test, a fake wall clock, and a
// listener that records its batches.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "runtime/connections/Connector.h"
#include "runtime/lang/Clocks.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"
#include "runtime/sensor/Condition.h"
#include "runtime/sensor/Data.h"
#include "runtime/sensor/DataImpl.h"
#include "runtime/sensor/DataListener.h"
#include "runtime/sensor/SensorConnection.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"
#include "runtime/sensor/TiltFeed.h"
#include "runtime/text/String.h"

namespace sensortest {

namespace sensor = javax::microedition::sensor;
using java::lang::jnew;

inline std::atomic<int64_t> fakeNow{1'000'000};

inline const char* const TILT_URL = "sensor:plane_angle;context_type=device;model=iPhone";

class SensorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        java::lang::clocks::setWallSource([] { return fakeNow.load(); });
        sensor::TiltFeed::reset();
        sensor::Condition::Condition_staticInit();
        sensor::SensorInfo::SensorInfo_staticInit();
        sensor::SensorManager::SensorManager_staticInit();
    }
    void TearDown() override {
        sensor::SensorManager::SensorManager_staticDestroy();
        sensor::SensorInfo::SensorInfo_staticDestroy();
        sensor::Condition::Condition_staticDestroy();
        java::lang::clocks::setWallSource(nullptr);
    }

    static JavaPtr<sensor::SensorConnection> openTilt() {
        return java::lang::recastObj<sensor::SensorConnection>(
            javax::microedition::io::Connector::open(jnew<java::lang::String>(TILT_URL)));
    }
    // One reading, then one polling pass.
    static void feed(float x, float y, float z) {
        setTiltReading(x, y, z);
        sensor::SensorManager::checkListeners();
    }
    static void setTiltReading(float x, float y, float z) { sensor::TiltFeed::put(x, y, z); }
};

// What one dataReceived call was given.
struct Batch {
    std::vector<double> pitch, roll;
    std::vector<int64_t> times;  // through getTimestamp, of the first channel; empty without extras
    bool uncertainties = false, validities = false;
    bool dataLost = false;
    std::thread::id thread;
};

inline Batch batchOf(const JavaPtr<JArray<sensor::Data>>& data, bool dataLost) {
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

class RecordingListener : public java::lang::Object, public sensor::DataListener {
    JAVA_CLASS(RecordingListener, "sensortest.RecordingListener", java::lang::Object, sensor::DataListener)
public:
    void dataReceived(JavaPtr<sensor::SensorConnection>, JavaPtr<JArray<sensor::Data>> data, bool lost) override {
        std::lock_guard guard(lock);
        batches.push_back(batchOf(data, lost));
        if (throwsOnFirst && batches.size() == 1) throw java::lang::IllegalStateException("listener fails");
    }
    std::vector<Batch> taken() {
        std::lock_guard guard(lock);
        return batches;
    }
    bool throwsOnFirst = false;

private:
    std::mutex lock;
    std::vector<Batch> batches;
};

}  // namespace sensortest
