#include "host/DeviceProfile.h"

#include <mutex>
#include <utility>

namespace {

struct Profile {
    std::mutex lock;
    std::string modelName = DeviceProfile::DEFAULT_MODEL_NAME;
    std::string machine = DeviceProfile::DEFAULT_MACHINE;
};

Profile& profile() {
    static Profile instance;
    return instance;
}

}  // namespace

void DeviceProfile::setDeviceProfile(std::string modelName, std::string machine) {
    std::lock_guard guard(profile().lock);
    profile().modelName = std::move(modelName);
    profile().machine = std::move(machine);
}

std::string DeviceProfile::modelName() {
    std::lock_guard guard(profile().lock);
    return profile().modelName;
}

std::string DeviceProfile::machine() {
    std::lock_guard guard(profile().lock);
    return profile().machine;
}
