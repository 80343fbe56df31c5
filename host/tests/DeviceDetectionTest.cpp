// Device model and family from the host's device profile, and the canvas's device family.
#include <gtest/gtest.h>

#include <string>

#include "host/DeviceDetection.h"
#include "host/DeviceProfile.h"
#include "host/iPhone.h"

namespace {

// Every test leaves the host's default profile behind.
class DeviceDetectionTest : public testing::Test {
protected:
    void TearDown() override {
        DeviceProfile::setDeviceProfile(DeviceProfile::DEFAULT_MODEL_NAME, DeviceProfile::DEFAULT_MACHINE);
    }
};

TEST_F(DeviceDetectionTest, DefaultProfileIsARetinaPhone) {
    EXPECT_EQ(DeviceProfile::modelName(), "iPhone");
    EXPECT_EQ(DeviceProfile::machine(), "iPhone3,1");
    EXPECT_EQ(DeviceDetection::detectDevice(), 10);
    EXPECT_EQ(DeviceDetection::currentModelFamily(), DeviceDetection::FAMILY_IPHONE);
}

TEST_F(DeviceDetectionTest, EveryModelOfTheTable) {
    constexpr int32_t UNCHANGED = 7;  // a DEVICE_FAMILY the mapping must leave alone
    struct Row {
        const char* modelName;
        const char* machine;
        int32_t model;
        int32_t family;
        const char* name;
        int32_t deviceFamily;
    };
    const Row rows[] = {
        {"iPhone Simulator", "x86_64", 1, 1, "iPhone Simulator", UNCHANGED},
        {"iPod Touch", "iPod1,1", 2, 2, "iPod Touch", 0},
        {"iPod touch", "iPod2,1", 3, 2, "iPod Touch 2G", 0},
        {"iPod", "iPod3,1", 4, 2, "iPod Touch 3G", 0},
        {"iPod touch", "iPod4,1", 5, 2, "iPod Touch 4G", 0},
        {"iPod Touch", "iPod5,1", 6, 2, "iPod Touch 5G or later", 0},
        {"iPod", "iPod1,10", 6, 2, "iPod Touch 5G or later", 0},
        {"iPhone", "iPhone1,1", 7, 3, "iPhone", 1},
        {"iPhone", "iPhone1,2", 8, 3, "iPhone 3G", 1},
        {"iPhone", "iPhone2,1", 9, 3, "iPhone 3GS", 1},
        {"iPhone", "iPhone3,1", 10, 3, "iPhone 4G", 1},
        {"iPhone", "iPhone3,3", 10, 3, "iPhone 4G", 1},
        {"iPhone", "iPhone4,1", 11, 3, "iPhone 5G or later", 1},
        {"iPhone", "iPhone1,3", 11, 3, "iPhone 5G or later", 1},
        {"iPhone", "", 11, 3, "iPhone 5G or later", 1},
        {"iPad", "iPad1,1", 12, 4, "iPad", 2},
        {"iPad", "iPad2,1", 13, 4, "iPad 2G or later", 2},
        {"IPHONE", "iPhone3,1", 0, 0, "Unknown Device", UNCHANGED},
        {"iPod TOUCH", "iPod1,1", 0, 0, "Unknown Device", UNCHANGED},
        {"", "", 0, 0, "Unknown Device", UNCHANGED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.modelName) + " / " + row.machine);
        DeviceProfile::setDeviceProfile(row.modelName, row.machine);
        EXPECT_EQ(DeviceDetection::detectDevice(), row.model);
        EXPECT_EQ(DeviceDetection::currentModel(), row.model);
        EXPECT_EQ(DeviceDetection::currentModelFamily(), row.family);
        EXPECT_STREQ(DeviceDetection::returnDeviceName(false), row.name);
        EXPECT_EQ(iPhone::getDeviceDetails(UNCHANGED), row.deviceFamily);
    }
}

TEST_F(DeviceDetectionTest, SimulatorCanBeNamedAsAPhone) {
    DeviceProfile::setDeviceProfile("iPhone Simulator", "arm64");
    EXPECT_STREQ(DeviceDetection::returnDeviceName(true), "iPhone 3G");
    DeviceProfile::setDeviceProfile("iPhone", "iPhone1,1");
    EXPECT_STREQ(DeviceDetection::returnDeviceName(true), "iPhone");
}

TEST_F(DeviceDetectionTest, KnownDeviceStaysDetectedUnknownIsRetried) {
    DeviceProfile::setDeviceProfile("iPad", "iPad1,1");
    ASSERT_EQ(DeviceDetection::detectDevice(), 12);
    DeviceProfile::setDeviceProfile("iPhone", "iPhone1,1");
    EXPECT_EQ(DeviceDetection::currentModel(), 12);
    EXPECT_EQ(DeviceDetection::currentModelFamily(), DeviceDetection::FAMILY_IPAD);

    DeviceProfile::setDeviceProfile("Toaster", "t1");
    ASSERT_EQ(DeviceDetection::detectDevice(), 0);
    DeviceProfile::setDeviceProfile("iPhone", "iPhone1,1");
    EXPECT_EQ(DeviceDetection::currentModelFamily(), DeviceDetection::FAMILY_IPHONE);
    EXPECT_EQ(DeviceDetection::currentModel(), 7);
}

}  // namespace
