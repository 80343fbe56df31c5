// The screens of the devices this host can pretend to be, and what the delegate's launch makes of
// them: the surface size, the retina shift and the launch image.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct DeviceScreen {
    const char* machine;    // the hardware machine string, also the --device name
    const char* modelName;  // the platform's model name
    int32_t boundsWidth;    // screen bounds in points
    int32_t boundsHeight;
    int32_t modeWidth;      // the screen's current mode in pixels
    int32_t modeHeight;
    float systemVersion;
};

struct ScreenSetup {
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
    // The application's screen in points: the device's bounds, or on a tablet the phone screen that
    // phone applications were given there. Scripts and touches are in these points.
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
    int32_t shiftScale = 0;
    bool retina = false;
    // The name asked of the named-image cache: "Default" on a retina screen, which the cache
    // resolves to its double-resolution file.
    const char* launchImageName = "Default.png";
};

class ScreenProfile {
public:
    static std::span<const DeviceScreen> knownDevices();
    // Null for a machine string not in the table.
    static const DeviceScreen* find(std::string_view machine);
    // The device of the current device profile; the default device when its machine is unknown.
    static const DeviceScreen& current();

    // True from system version 3.2 on when the current mode is exactly 640 pixels wide.
    static bool isARetinaDisplay(const DeviceScreen& screen);
    static bool isAnIPad(const DeviceScreen& screen);
    static bool isAnIPhone(const DeviceScreen& screen);
    // "iPhone", "iPad" or "iPod", as the system properties name the platform.
    static const char* platformName(const DeviceScreen& screen);

    // Portrait, as this build always is: the surface is the current mode on a retina screen and
    // the bounds in points elsewhere. The quiz is a phone application, and on a tablet it runs as
    // the platform ran those: on a 320 x 480 phone surface that the window shows scaled up.
    static ScreenSetup setupFor(const DeviceScreen& screen);
};
