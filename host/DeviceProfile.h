// The device this host pretends to be: the platform's model name and the hardware machine string.
// A retina phone unless the command line says otherwise.
#pragma once

#include <string>

class DeviceProfile {
public:
    static constexpr const char* DEFAULT_MODEL_NAME = "iPhone";
    static constexpr const char* DEFAULT_MACHINE = "iPhone3,1";

    static void setDeviceProfile(std::string modelName, std::string machine);
    static std::string modelName();
    static std::string machine();
};
