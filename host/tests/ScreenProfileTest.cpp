// Each device's screen gives the delegate's surface size, retina shift and launch image name.
#include <gtest/gtest.h>

#include <string>

#include "host/DeviceProfile.h"
#include "host/ScreenProfile.h"

namespace {

TEST(ScreenProfile, DevicesGiveTheSurfaceShiftAndLaunchImageOfTheLaunchRules) {
    struct Case {
        const char* machine;
        int32_t width;
        int32_t height;
        int32_t shift;
        const char* launchImage;
        const char* platform;
    };
    const Case cases[] = {
        {"iPhone3,1", 640, 960, 1, "Default", "iPhone"},
        {"iPod4,1", 640, 960, 1, "Default", "iPod"},
        {"iPhone2,1", 320, 480, 0, "Default.png", "iPhone"},
        {"iPhone1,1", 320, 480, 0, "Default.png", "iPhone"},
        {"iPod3,1", 320, 480, 0, "Default.png", "iPod"},
        // A phone application on a tablet gets the phone's screen.
        {"iPad1,1", 320, 480, 0, "Default.png", "iPad"},
        {"iPad2,1", 320, 480, 0, "Default.png", "iPad"},
    };
    for (const Case& c : cases) {
        const DeviceScreen* screen = ScreenProfile::find(c.machine);
        ASSERT_NE(screen, nullptr) << c.machine;
        const ScreenSetup setup = ScreenProfile::setupFor(*screen);
        EXPECT_EQ(setup.outputWidth, c.width) << c.machine;
        EXPECT_EQ(setup.outputHeight, c.height) << c.machine;
        EXPECT_EQ(setup.shiftScale, c.shift) << c.machine;
        EXPECT_EQ(setup.retina, c.shift == 1) << c.machine;
        EXPECT_STREQ(setup.launchImageName, c.launchImage) << c.machine;
        EXPECT_STREQ(ScreenProfile::platformName(*screen), c.platform) << c.machine;
    }
    EXPECT_EQ(ScreenProfile::find("iPhone9,9"), nullptr);
}

TEST(ScreenProfile, RetinaNeedsSystemVersionThreePointTwoAndAModeExactly640Wide) {
    struct Case {
        DeviceScreen screen;
        bool retina;
    };
    const Case cases[] = {
        {{"a", "iPhone", 320, 480, 640, 960, 3.2f}, true},
        {{"b", "iPhone", 320, 480, 640, 960, 3.1f}, false},
        {{"c", "iPhone", 320, 480, 320, 480, 4.3f}, false},
        {{"d", "iPad", 768, 1024, 1536, 2048, 5.1f}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenProfile::isARetinaDisplay(c.screen), c.retina) << c.screen.machine;
        const ScreenSetup setup = ScreenProfile::setupFor(c.screen);
        EXPECT_EQ(setup.outputWidth, c.retina ? 640 : 320) << c.screen.machine;
    }
}

TEST(ScreenProfile, TheCurrentDeviceFollowsTheDeviceProfileAndFallsBackToTheDefault) {
    DeviceProfile::setDeviceProfile("iPad", "iPad1,1");
    EXPECT_STREQ(ScreenProfile::current().machine, "iPad1,1");
    DeviceProfile::setDeviceProfile("Toaster", "Toaster1,1");
    EXPECT_STREQ(ScreenProfile::current().machine, DeviceProfile::DEFAULT_MACHINE);
    DeviceProfile::setDeviceProfile(DeviceProfile::DEFAULT_MODEL_NAME, DeviceProfile::DEFAULT_MACHINE);
}

}  // namespace
