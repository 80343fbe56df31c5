#include "host/DeviceDetection.h"

#include <string>

#include "host/DeviceProfile.h"

namespace {

struct Detected {
    int32_t model;
    int32_t family;
};

Detected detect(const std::string& modelName, const std::string& machine) {
    if (modelName == "iPhone Simulator") return {1, DeviceDetection::FAMILY_SIMULATOR};
    if (modelName == "iPod Touch" || modelName == "iPod touch" || modelName == "iPod") {
        int32_t model = 6;
        if (machine == "iPod1,1") model = 2;
        else if (machine == "iPod2,1") model = 3;
        else if (machine == "iPod3,1") model = 4;
        else if (machine == "iPod4,1") model = 5;
        return {model, DeviceDetection::FAMILY_IPOD};
    }
    if (modelName == "iPhone") {
        int32_t model = 11;
        if (machine == "iPhone1,1") model = 7;
        else if (machine == "iPhone1,2") model = 8;
        else if (machine.starts_with("iPhone2")) model = 9;
        else if (machine.starts_with("iPhone3")) model = 10;
        return {model, DeviceDetection::FAMILY_IPHONE};
    }
    if (modelName == "iPad") return {machine == "iPad1,1" ? 12 : 13, DeviceDetection::FAMILY_IPAD};
    return {0, DeviceDetection::FAMILY_UNKNOWN};
}

constexpr const char* MODEL_NAMES[] = {
    "Unknown Device", "iPhone Simulator",  "iPod Touch", "iPod Touch 2G",      "iPod Touch 3G",
    "iPod Touch 4G",  "iPod Touch 5G or later", "iPhone", "iPhone 3G",        "iPhone 3GS",
    "iPhone 4G",      "iPhone 5G or later", "iPad",       "iPad 2G or later",
};

}  // namespace

int32_t DeviceDetection::detectDevice() {
    const Detected found = detect(DeviceProfile::modelName(), DeviceProfile::machine());
    m_currentModel.store(found.model, std::memory_order_relaxed);
    m_currentModelFamily.store(found.family, std::memory_order_relaxed);
    return found.model;
}

int32_t DeviceDetection::currentModel() {
    const int32_t model = m_currentModel.load(std::memory_order_relaxed);
    return model != 0 ? model : detectDevice();
}

int32_t DeviceDetection::currentModelFamily() {
    if (const int32_t family = m_currentModelFamily.load(std::memory_order_relaxed); family != 0) return family;
    detectDevice();
    return m_currentModelFamily.load(std::memory_order_relaxed);
}

const char* DeviceDetection::returnDeviceName(bool simulatorAsPhone) {
    const int32_t model = detectDevice();
    if (model == 1 && simulatorAsPhone) return "iPhone 3G";
    return MODEL_NAMES[model];
}
