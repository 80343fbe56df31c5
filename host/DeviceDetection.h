// Tells the device model and family from the host's device profile.
#pragma once

#include <atomic>
#include <cstdint>

class DeviceDetection {
public:
    static constexpr int32_t FAMILY_UNKNOWN = 0;
    static constexpr int32_t FAMILY_SIMULATOR = 1;
    static constexpr int32_t FAMILY_IPOD = 2;
    static constexpr int32_t FAMILY_IPHONE = 3;
    static constexpr int32_t FAMILY_IPAD = 4;

    // Detects afresh, stores model and family, and answers the model (0 for an unknown device).
    static int32_t detectDevice();
    // The stored values; detection runs again while they are 0, so an unknown device is retried.
    static int32_t currentModel();
    static int32_t currentModelFamily();
    // Detects afresh and names the model; on the simulator the argument picks "iPhone 3G".
    static const char* returnDeviceName(bool simulatorAsPhone);

private:
    static inline std::atomic<int32_t> m_currentModel{0};
    static inline std::atomic<int32_t> m_currentModelFamily{0};
};
