#include "host/ScreenProfile.h"

#include <string>
#include <string_view>

#include "host/DeviceProfile.h"

namespace {

// The screen phone applications are given, in points.
constexpr int32_t PHONE_WIDTH = 320;
constexpr int32_t PHONE_HEIGHT = 480;

constexpr DeviceScreen DEVICES[] = {
    {"iPhone1,1", "iPhone", 320, 480, 320, 480, 3.1f},
    {"iPhone1,2", "iPhone", 320, 480, 320, 480, 4.2f},
    {"iPhone2,1", "iPhone", 320, 480, 320, 480, 4.3f},
    {"iPhone3,1", "iPhone", 320, 480, 640, 960, 4.3f},
    {"iPod3,1", "iPod touch", 320, 480, 320, 480, 4.3f},
    {"iPod4,1", "iPod touch", 320, 480, 640, 960, 4.3f},
    {"iPad1,1", "iPad", 768, 1024, 768, 1024, 4.3f},
    {"iPad2,1", "iPad", 768, 1024, 768, 1024, 4.3f},
};

}  // namespace

std::span<const DeviceScreen> ScreenProfile::knownDevices() { return DEVICES; }

const DeviceScreen* ScreenProfile::find(std::string_view machine) {
    for (const DeviceScreen& device : DEVICES)
        if (machine == device.machine) return &device;
    return nullptr;
}

const DeviceScreen& ScreenProfile::current() {
    const std::string machine = DeviceProfile::machine();
    if (const DeviceScreen* device = find(machine)) return *device;
    return *find(DeviceProfile::DEFAULT_MACHINE);
}

bool ScreenProfile::isARetinaDisplay(const DeviceScreen& screen) {
    return screen.systemVersion >= 3.2f && screen.modeWidth == 640;
}

bool ScreenProfile::isAnIPad(const DeviceScreen& screen) {
    return std::string_view(screen.modelName).starts_with("iPad");
}

bool ScreenProfile::isAnIPhone(const DeviceScreen& screen) {
    return std::string_view(screen.modelName).starts_with("iPhone");
}

const char* ScreenProfile::platformName(const DeviceScreen& screen) {
    if (isAnIPad(screen)) return "iPad";
    if (std::string_view(screen.modelName).starts_with("iPod")) return "iPod";
    return "iPhone";
}

ScreenSetup ScreenProfile::setupFor(const DeviceScreen& screen) {
    ScreenSetup setup;
    setup.retina = isARetinaDisplay(screen);
    setup.shiftScale = setup.retina ? 1 : 0;
    const bool phoneOnATablet = isAnIPad(screen);
    setup.viewWidth = phoneOnATablet ? PHONE_WIDTH : screen.boundsWidth;
    setup.viewHeight = phoneOnATablet ? PHONE_HEIGHT : screen.boundsHeight;
    setup.outputWidth = setup.retina ? screen.modeWidth : setup.viewWidth;
    setup.outputHeight = setup.retina ? screen.modeHeight : setup.viewHeight;
    setup.launchImageName = setup.retina ? "Default" : "Default.png";
    return setup;
}
