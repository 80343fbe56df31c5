// What a MIDlet sees of the tilt sensor before any sample: its names, descriptions and statics.
#include <cmath>
#include <limits>

#include "runtime/connections/ConnectionNotFoundException.h"
#include "runtime/connections/Connector.h"
#include "runtime/sensor/ChannelImpl.h"
#include "runtime/sensor/ChannelInfo.h"
#include "runtime/sensor/MeasurementRange.h"
#include "runtime/sensor/Unit.h"
#include "runtime/sensor/channelinfo_internal.h"
#include "runtime/sensor/tests/SensorFixture.h"

namespace sensortest {
namespace {

using javax::microedition::io::ConnectionNotFoundException;
using javax::microedition::io::Connector;
using java::lang::String;

using SensorNames = SensorFixture;
using SensorDescriptions = SensorFixture;
using TiltFeedAngles = SensorFixture;

JavaPtr<String> text(const char* literal) { return jnew<String>(literal); }

TEST_F(SensorNames, OnlyTheExactTiltUrlOpensAndNeverForWriting) {
    struct Row {
        const char* name;
        int32_t mode;
        bool opens;
    };
    const Row rows[] = {
        {TILT_URL, Connector::READ, true},
        {TILT_URL, Connector::READ_WRITE, true},
        {TILT_URL, 7, true},
        {TILT_URL, Connector::WRITE, false},
        {"sensor:plane_angle;context_type=device;Model=iPhone", Connector::READ, false},
        {"sensor:plane_angle;context_type=device;model=iPhone;", Connector::READ, false},
        {"SENSOR:plane_angle;context_type=device;model=iPhone", Connector::READ, false},
        {"sensor:plane_angle;context-type=device;model=iPhone", Connector::READ, false},
        {"sensor:plane_angle", Connector::READ, false},
        {"", Connector::READ, false},
        {"file:///x", Connector::READ, false},
    };
    for (const Row& row : rows) {
        bool opened = false;
        try {
            JavaPtr<sensor::SensorConnection> connection =
                java::lang::recastObj<sensor::SensorConnection>(Connector::open(text(row.name), row.mode));
            ASSERT_TRUE(connection);
            EXPECT_EQ(connection->getState(), sensor::SensorConnection::STATE_OPENED);
            opened = true;
        } catch (ConnectionNotFoundException&) {
        }
        EXPECT_EQ(opened, row.opens) << row.name << " mode " << row.mode;
        EXPECT_EQ(sensor::SensorManager::findSensors(text(row.name))->length, row.name == TILT_URL ? 1 : 0);
    }
    EXPECT_EQ(sensor::SensorManager::openConnections()->length, 3);
}

TEST_F(SensorNames, ClosingTakesAConnectionOffTheListAndKeepsTheOthers) {
    JavaPtr<sensor::SensorConnection> first = openTilt();
    JavaPtr<sensor::SensorConnection> second = openTilt();
    EXPECT_NE(first.get(), second.get());
    first->close();
    EXPECT_EQ(first->getState(), sensor::SensorConnection::STATE_CLOSED);
    JavaPtr<JArray<javax::microedition::io::Connection>> open = sensor::SensorManager::openConnections();
    ASSERT_EQ(open->length, 1);
    EXPECT_TRUE((*open)[0] == second);
    second->close();
    second->close();
    EXPECT_EQ(sensor::SensorManager::openConnections()->length, 0);
    EXPECT_THROW(second->setDataListener(jnew<RecordingListener>(), 10), java::io::IOException);
    EXPECT_THROW(second->setDataListener(nullptr, 10), java::lang::NullPointerException);
    EXPECT_THROW(second->getData(5), java::io::IOException);
}

TEST_F(SensorNames, SearchesByQuantityAndContext) {
    struct Row {
        const char* quantity;  // null: any
        const char* context;
        int32_t found;
    };
    const Row rows[] = {
        {"plane_angle", nullptr, 1}, {nullptr, "device", 1},     {"plane_angle", "device", 1},
        {"plane_angle", "user", 0},  {"acceleration", nullptr, 0}, {"Plane_angle", "device", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(sensor::SensorManager::findSensors(row.quantity ? text(row.quantity) : nullptr,
                                                     row.context ? text(row.context) : nullptr)
                      ->length,
                  row.found)
            << (row.quantity ? row.quantity : "null") << " " << (row.context ? row.context : "null");
    JavaPtr<JArray<sensor::SensorInfo>> all = sensor::SensorManager::findSensors(nullptr, nullptr);
    EXPECT_EQ(all.get(), sensor::SensorManager::findSensors(nullptr, nullptr).get());
    EXPECT_STREQ((*all)[0]->getUrl()->val(), TILT_URL);
}

TEST_F(SensorDescriptions, TheTwoChannelsNamesRangesAndUnits) {
    JavaPtr<sensor::SensorInfo> tilt = (*sensor::SensorManager::findAllSensors())[0];
    JavaPtr<JArray<sensor::ChannelInfo>> channels = tilt->getChannelInfos();
    EXPECT_EQ(channels.get(), tilt->getChannelInfos().get());
    ASSERT_EQ(channels->length, 2);
    struct Row {
        JavaPtr<sensor::ChannelInfo> channel;
        const char* name;
        double smallest, largest;
    };
    const Row rows[] = {
        {(*channels)[0], "pitch", -1.5707963267948966, 1.5707963267948966},
        {(*channels)[1], "roll", -3.141592653589793, 3.141592653589793},
        {jnew<sensor::channelinfo_internal>(7), "pitch", -1.5707963267948966, 1.5707963267948966},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.channel->getName()->val(), row.name);
        EXPECT_EQ(row.channel->getDataType(), sensor::ChannelInfo::TYPE_DOUBLE);
        EXPECT_EQ(row.channel->getAccuracy(), -1.0f);
        EXPECT_EQ(row.channel->getScale(), 0);
        EXPECT_STREQ(row.channel->getUnit()->toString()->val(), "rad");
        EXPECT_NE(row.channel->getUnit().get(), row.channel->getUnit().get());
        JavaPtr<JArray<sensor::MeasurementRange>> ranges = row.channel->getMeasurementRanges();
        ASSERT_EQ(ranges->length, 1);
        EXPECT_EQ((*ranges)[0]->getSmallestValue(), row.smallest) << row.name;
        EXPECT_EQ((*ranges)[0]->getLargestValue(), row.largest) << row.name;
        EXPECT_EQ((*ranges)[0]->getResolution(), 0.004999999888241291);
        EXPECT_STREQ(jnew<sensor::ChannelImpl>(row.channel)->getChannelUrl()->val(),
                     (std::string("channel=") + row.name).c_str());
    }
}

TEST_F(SensorDescriptions, TheSensorsFixedAnswers) {
    JavaPtr<sensor::SensorInfo> tilt = (*sensor::SensorManager::findAllSensors())[0];
    EXPECT_STREQ(tilt->getQuantity()->val(), "plane_angle");
    EXPECT_STREQ(tilt->getDescription()->val(), "Tilt info returned from the iPhone accelerometer");
    EXPECT_EQ(tilt->getConnectionType(), sensor::SensorInfo::CONN_EMBEDDED);
    EXPECT_EQ(tilt->getMaxBufferSize(), 256);
    EXPECT_TRUE(tilt->isAvailable());
    EXPECT_FALSE(tilt->isAvailabilityPushSupported() || tilt->isConditionPushSupported());
    EXPECT_FALSE(tilt->getProperty(sensor::SensorInfo::PROP_VENDOR) || tilt->getPropertyNames());

    JavaPtr<sensor::SensorConnection> connection = openTilt();
    EXPECT_EQ(connection->getSensorInfo().get(), tilt.get());
    EXPECT_EQ(connection->getErrorCodes()->length, 0);
    EXPECT_THROW(connection->getErrorText(0), java::lang::IllegalArgumentException);
    EXPECT_NE(connection->getChannel((*tilt->getChannelInfos())[0]).get(),
              connection->getChannel((*tilt->getChannelInfos())[0]).get());
}

TEST_F(TiltFeedAngles, ReadingsBecomePitchAndRoll) {
    const double pi = 3.141592653589793;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        float x, y, z;
        double pitch, roll;
    };
    const Row rows[] = {
        {2.0f, 1.5f, -1.0f, pi / 2, pi / 2},
        {-3.0f, -7.0f, 0.0f, -pi / 2, -pi / 2},
        {0.5f, 0.0f, -1.0f, 0.0, std::asin(0.5)},
        {0.5f, 0.0f, 0.5f, 0.0, pi - std::asin(0.5)},
        {-0.5f, 0.0f, 0.5f, 0.0, -pi + std::asin(0.5)},
        {0.0f, 0.0f, 1.0f, 0.0, pi},
        {-0.0f, 0.0f, 1.0f, 0.0, pi},
        {0.5f, 0.0f, static_cast<float>(nan), 0.0, std::asin(0.5)},
    };
    for (const Row& row : rows) {
        fakeNow += 20;
        setTiltReading(row.x, row.y, row.z);
        sensor::TiltFeed::Reading reading;
        ASSERT_TRUE(sensor::TiltFeed::pending(reading));
        EXPECT_DOUBLE_EQ(reading.pitch, row.pitch) << row.x << " " << row.y << " " << row.z;
        EXPECT_DOUBLE_EQ(reading.roll, row.roll) << row.x << " " << row.y << " " << row.z;
        EXPECT_EQ(reading.timestamp, fakeNow.load());
    }
}

TEST(SensorValues, DataGettersRefuseIndexesOutsideTheBatchAndWhatItDoesNotCarry) {
    JavaPtr<sensor::DataImpl> withTimes = jnew<sensor::DataImpl>(jnew<sensor::channelinfo_internal>(0), jnew<JArray<double>>(2),
                                                                 nullptr, nullptr, jnew<JArray<long long>>(2), nullptr, nullptr);
    EXPECT_THROW(withTimes->getTimestamp(-1), java::lang::IndexOutOfBoundsException);
    EXPECT_THROW(withTimes->getTimestamp(2), java::lang::IndexOutOfBoundsException);
    EXPECT_THROW(withTimes->getUncertainty(0), java::lang::IllegalStateException);
    EXPECT_THROW(withTimes->isValid(0), java::lang::IllegalStateException);
    EXPECT_THROW(withTimes->getIntValues(), java::lang::IllegalStateException);
}

class NeverMet : public java::lang::Object, public sensor::Condition {
    JAVA_CLASS(NeverMet, "sensortest.NeverMet", java::lang::Object, sensor::Condition)
public:
    bool isMet(double) override { return false; }
};
class Ignoring : public java::lang::Object, public sensor::ConditionListener {
    JAVA_CLASS(Ignoring, "sensortest.Ignoring", java::lang::Object, sensor::ConditionListener)
public:
    void conditionMet(JavaPtr<sensor::SensorConnection>, JavaPtr<sensor::Data>, JavaPtr<sensor::Condition>) override {}
};

TEST(SensorValues, AChannelKeepsEachListenerConditionPairOnce) {
    JavaPtr<sensor::ChannelImpl> channel = jnew<sensor::ChannelImpl>(jnew<sensor::channelinfo_internal>(1));
    JavaPtr<sensor::ConditionListener> one = jnew<Ignoring>(), two = jnew<Ignoring>();
    JavaPtr<sensor::Condition> low = jnew<NeverMet>(), high = jnew<NeverMet>();
    channel->removeConditionListener(one);
    channel->addCondition(one, low);
    channel->addCondition(one, low);
    channel->addCondition(one, high);
    channel->addCondition(two, low);
    EXPECT_EQ(channel->getConditions(one)->length, 2);
    channel->removeCondition(one, low);
    JavaPtr<JArray<sensor::Condition>> left = channel->getConditions(one);
    ASSERT_EQ(left->length, 1);
    EXPECT_TRUE((*left)[0] == high);
    EXPECT_EQ(channel->getConditions(two)->length, 1);
    channel->removeConditionListener(two);
    EXPECT_EQ(channel->getConditions(two)->length, 0);
    channel->removeAllConditions();
    EXPECT_EQ(channel->getConditions(one)->length, 0);
}

}  // namespace
}  // namespace sensortest
