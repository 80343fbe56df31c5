// The polling pass: batches of the asked size and period, on the tick thread, availability
// reports, failing listeners, and readings fed from another thread.
#include <chrono>
#include <cmath>
#include <limits>
#include <set>

#include "runtime/sensor/tests/SensorFixture.h"

namespace sensortest {
namespace {

using SensorPolling = SensorFixture;
using java::lang::String;

std::vector<double> asins(std::initializer_list<float> values) {
    std::vector<double> angles;
    for (float value : values) angles.push_back(std::asin(static_cast<double>(value)));
    return angles;
}

TEST_F(SensorPolling, BatchesOfTheAskedSizeOrPeriodCarryExactlyTheirReadings) {
    struct Row {
        const char* what;
        int32_t bufferSize;
        int64_t period;
        bool extras;
        std::vector<size_t> batchSizes;  // after readings 0.1, 0.2, ... 0.5, one every 20 ms
    };
    const Row rows[] = {
        {"three, no period", 3, 0, false, {3}},
        {"largest size, 50 ms", 0, 50, false, {4, 1}},
        {"two, 50 ms, with extras", 2, 50, true, {2, 2, 1}},
        // Beyond the sensor's largest buffer: bounded by it, and the connections after still served.
        {"a hundred million, 50 ms", 100000000, 50, false, {4, 1}},
        {"the largest int, 50 ms", std::numeric_limits<int32_t>::max(), 50, true, {4, 1}},
        {"three again, no period", 3, 0, false, {3}},
    };
    for (const Row& row : rows) {
        JavaPtr<sensor::SensorConnection> connection = openTilt();
        JavaPtr<RecordingListener> listener = jnew<RecordingListener>();
        connection->setDataListener(listener, row.bufferSize, row.period, row.extras, row.extras, row.extras);
        EXPECT_EQ(connection->getState(), sensor::SensorConnection::STATE_LISTENING);
        const int64_t start = fakeNow;
        for (float value : {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}) {
            feed(value, -value, -1.0f);
            fakeNow += 20;
        }
        // A pass with no reading delivers what the period has collected.
        fakeNow = start + 200;
        sensor::SensorManager::checkListeners();

        const std::vector<Batch> batches = listener->taken();
        ASSERT_EQ(batches.size(), row.batchSizes.size()) << row.what;
        std::vector<double> pitches, rolls;
        std::vector<int64_t> times;
        for (size_t i = 0; i < batches.size(); ++i) {
            EXPECT_EQ(batches[i].roll.size(), row.batchSizes[i]) << row.what;
            EXPECT_EQ(batches[i].pitch.size(), row.batchSizes[i]) << row.what;
            EXPECT_EQ(batches[i].validities && batches[i].uncertainties, row.extras);
            EXPECT_FALSE(batches[i].dataLost);
            pitches.insert(pitches.end(), batches[i].pitch.begin(), batches[i].pitch.end());
            rolls.insert(rolls.end(), batches[i].roll.begin(), batches[i].roll.end());
            times.insert(times.end(), batches[i].times.begin(), batches[i].times.end());
        }
        const size_t delivered = rolls.size();
        std::vector<int64_t> expectedTimes;
        for (size_t i = 0; row.extras && i < delivered; ++i) expectedTimes.push_back(start + 20 * static_cast<int64_t>(i));
        EXPECT_EQ(times, expectedTimes) << row.what;
        const std::vector<double> expectedRolls = asins({0.1f, 0.2f, 0.3f, 0.4f, 0.5f});
        const std::vector<double> expectedPitches = asins({-0.1f, -0.2f, -0.3f, -0.4f, -0.5f});
        EXPECT_EQ(rolls, std::vector<double>(expectedRolls.begin(), expectedRolls.begin() + delivered)) << row.what;
        EXPECT_EQ(pitches, std::vector<double>(expectedPitches.begin(), expectedPitches.begin() + delivered));
        connection->close();
    }
}

TEST_F(SensorPolling, AReadingWaitsForAConnectionAndReachesEveryOpenOne) {
    setTiltReading(0.25f, 0.0f, -1.0f);
    sensor::SensorManager::checkListeners();
    JavaPtr<RecordingListener> one = jnew<RecordingListener>(), two = jnew<RecordingListener>();
    JavaPtr<sensor::SensorConnection> first = openTilt(), second = openTilt();
    first->setDataListener(one, 1);
    second->setDataListener(two, 1);
    sensor::SensorManager::checkListeners();
    sensor::SensorManager::checkListeners();
    ASSERT_EQ(one->taken().size(), 1u);
    ASSERT_EQ(two->taken().size(), 1u);
    EXPECT_EQ(one->taken()[0].roll, asins({0.25f}));
    EXPECT_EQ(two->taken()[0].roll, asins({0.25f}));
    first->removeDataListener();
    EXPECT_EQ(first->getState(), sensor::SensorConnection::STATE_OPENED);
    feed(0.5f, 0.0f, -1.0f);
    EXPECT_EQ(one->taken().size(), 1u);
    EXPECT_EQ(two->taken().size(), 2u);
}

TEST_F(SensorPolling, AThrowingListenerStopsNeitherOtherConnectionsNorLaterPasses) {
    JavaPtr<RecordingListener> failing = jnew<RecordingListener>(), other = jnew<RecordingListener>();
    failing->throwsOnFirst = true;
    JavaPtr<sensor::SensorConnection> first = openTilt(), second = openTilt();
    first->setDataListener(failing, 1);
    second->setDataListener(other, 1);
    feed(0.1f, 0.0f, -1.0f);
    feed(0.2f, 0.0f, -1.0f);
    ASSERT_EQ(failing->taken().size(), 2u);
    EXPECT_EQ(failing->taken()[1].roll, asins({0.2f}));
    EXPECT_EQ(other->taken().size(), 2u);
}

class AvailabilityLog : public java::lang::Object, public sensor::SensorListener {
    JAVA_CLASS(AvailabilityLog, "sensortest.AvailabilityLog", java::lang::Object, sensor::SensorListener)
public:
    void sensorAvailable(JavaPtr<sensor::SensorInfo> info) override {
        ++available;
        if (throws) throw java::lang::IllegalStateException("listener fails");
    }
    void sensorUnavailable(JavaPtr<sensor::SensorInfo>) override { ++unavailable; }
    int available = 0, unavailable = 0;
    bool throws = false;
};

TEST_F(SensorPolling, AvailabilityIsReportedOnceToEachMatchingRegistration) {
    JavaPtr<sensor::SensorInfo> tilt = (*sensor::SensorManager::findAllSensors())[0];
    const char16_t builtUnits[] = u"plane_angle";
    struct Row {
        const char* how;
        JavaPtr<String> quantity;  // null: registered by the sensor
        bool twice;
        bool throws;
        int reports;
    };
    const Row rows[] = {
        {"literal quantity", jnew<String>("plane_angle"), true, false, 1},
        {"literal quantity, listener throws", jnew<String>("plane_angle"), false, true, 1},
        {"quantity built at run time", jnew<String>(builtUnits, 11), false, false, 0},
        {"other quantity", jnew<String>("acceleration"), false, false, 0},
        {"the sensor itself", nullptr, true, false, 1},
    };
    std::vector<JavaPtr<AvailabilityLog>> logs;
    for (const Row& row : rows) {
        JavaPtr<AvailabilityLog> log = jnew<AvailabilityLog>();
        log->throws = row.throws;
        for (int i = 0; i < (row.twice ? 2 : 1); ++i) {
            if (row.quantity) sensor::SensorManager::addSensorListener(log, row.quantity);
            else sensor::SensorManager::addSensorListener(log, tilt);
        }
        logs.push_back(log);
    }
    sensor::SensorManager::checkListeners();
    sensor::SensorManager::checkListeners();
    for (size_t i = 0; i < logs.size(); ++i) {
        EXPECT_EQ(logs[i]->available, rows[i].reports) << rows[i].how;
        EXPECT_EQ(logs[i]->unavailable, 0);
    }
    // Removed, then registered anew: told again.
    sensor::SensorManager::removeSensorListener(logs[0]);
    sensor::SensorManager::addSensorListener(logs[0], tilt);
    sensor::SensorManager::checkListeners();
    EXPECT_EQ(logs[0]->available, 2);
}

TEST_F(SensorPolling, GetDataWaitsForItsBatchWhichTheTickFills) {
    JavaPtr<sensor::SensorConnection> connection = openTilt();
    EXPECT_THROW(connection->getData(0), java::lang::IllegalArgumentException);
    connection->setDataListener(jnew<RecordingListener>(), 1);
    EXPECT_THROW(connection->getData(1), java::lang::IllegalStateException);
    connection->removeDataListener();

    std::atomic<bool> done{false};
    Batch batch;
    std::thread reader([&] {
        batch = batchOf(connection->getData(3), false);
        done = true;
    });
    // Readings until the reader has its batch: it may begin listening after the first ones.
    for (float x = 0.01f; !done; x += 0.01f) {
        feed(x, 0.0f, -1.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    reader.join();
    ASSERT_EQ(batch.roll.size(), 3u);
    EXPECT_NEAR(batch.roll[1] - batch.roll[0], 0.01, 1e-4);
    EXPECT_NEAR(batch.roll[2] - batch.roll[1], 0.01, 1e-4);

    // Closing ends a wait that no reading would end.
    std::thread waiter([&] { EXPECT_THROW(connection->getData(5), java::io::IOException); });
    while (connection->getState() != sensor::SensorConnection::STATE_CLOSED) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        connection->close();
    }
    waiter.join();
}

// The UI thread feeds readings at 200 Hz while the tick thread polls and an application thread
// opens, listens, registers and closes; every batch holds readings that were fed.
TEST_F(SensorPolling, ReadingsFedFromAnotherThreadReachListenersOnTheTickThread) {
    constexpr int READINGS = 200;
    std::atomic<bool> feeding{true};
    std::thread ui([&] {
        for (int i = 1; i <= READINGS; ++i) {
            setTiltReading(static_cast<float>(i) / 1000.0f, 0.0f, -1.0f);
            fakeNow += 5;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        feeding = false;
    });
    std::thread::id tickId;
    std::thread tick([&] {
        while (feeding) {
            sensor::SensorManager::checkListeners();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    tickId = tick.get_id();
    JavaPtr<RecordingListener> steady = jnew<RecordingListener>();
    JavaPtr<sensor::SensorConnection> kept = openTilt();
    kept->setDataListener(steady, 0, 20, false, false, false);
    std::vector<JavaPtr<RecordingListener>> churned;
    while (feeding) {
        JavaPtr<sensor::SensorConnection> connection = openTilt();
        JavaPtr<RecordingListener> listener = jnew<RecordingListener>();
        connection->setDataListener(listener, 2);
        JavaPtr<AvailabilityLog> log = jnew<AvailabilityLog>();
        sensor::SensorManager::addSensorListener(log, jnew<String>("plane_angle"));
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        sensor::SensorManager::removeSensorListener(log);
        connection->close();
        churned.push_back(listener);
    }
    tick.join();
    ui.join();

    std::set<double> fed;
    for (int i = 1; i <= READINGS; ++i) fed.insert(std::asin(static_cast<double>(static_cast<float>(i) / 1000.0f)));
    size_t samples = 0;
    churned.push_back(steady);
    for (const JavaPtr<RecordingListener>& listener : churned) {
        for (const Batch& batch : listener->taken()) {
            EXPECT_EQ(batch.thread, tickId);
            EXPECT_EQ(batch.roll.size(), batch.pitch.size());
            for (double roll : batch.roll) EXPECT_TRUE(fed.count(roll)) << roll;
            samples += batch.roll.size();
        }
    }
    EXPECT_GT(samples, 0u);
}

}  // namespace
}  // namespace sensortest
