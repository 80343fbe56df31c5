#include "host/LocationManager.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "runtime/HostBridge.h"

namespace {

struct Manager {
    std::mutex lock;
    bool created = false;
    LocationManager::Receiver receiver;
    std::function<void()> listen;
};

Manager& manager() {
    static Manager instance;
    return instance;
}

std::atomic<bool> updating{false};

// Orders the starts and stops with the source that follows them.
struct UpdateSource {
    std::mutex lock;
    std::function<void(bool)> source;
};

UpdateSource& updateSource() {
    static UpdateSource instance;
    return instance;
}

void setUpdating(bool on) {
    std::lock_guard guard(updateSource().lock);
    updating.store(on);
    if (updateSource().source) updateSource().source(on);
}

}  // namespace

void LocationManager::create(Receiver receiver) {
    std::lock_guard guard(manager().lock);
    manager().created = true;
    manager().receiver = std::move(receiver);
}

void LocationManager::setListenHandler(std::function<void()> listen) {
    std::lock_guard guard(manager().lock);
    manager().listen = std::move(listen);
}

void LocationManager::listen() {
    std::function<void()> handler;
    {
        std::lock_guard guard(manager().lock);
        if (manager().created) return;
        handler = manager().listen;
    }
    if (handler) {
        handler();
        return;
    }
    create([](const LocationFix& fix) {
        locationFeedback(fix.latitude, fix.longitude, fix.horizontalAccuracy, fix.altitude, fix.verticalAccuracy, 0,
                         fix.description.c_str());
    });
}

bool LocationManager::exists() {
    std::lock_guard guard(manager().lock);
    return manager().created;
}

void LocationManager::setUpdateSource(std::function<void(bool updating)> source) {
    std::lock_guard guard(updateSource().lock);
    updateSource().source = std::move(source);
    if (updateSource().source) updateSource().source(updating.load());
}

void LocationManager::startUpdatingLocation() { setUpdating(true); }
void LocationManager::stopUpdatingLocation() { setUpdating(false); }
bool LocationManager::updatingLocation() { return updating.load(); }

bool LocationManager::deliver(const LocationFix& fix) {
    Receiver receiver;
    {
        std::lock_guard guard(manager().lock);
        if (!manager().created || !updating.load()) return false;
        receiver = manager().receiver;
    }
    if (receiver) receiver(fix);
    return true;
}

void LocationManager::reset() {
    std::lock_guard guard(manager().lock);
    manager().created = false;
    manager().receiver = nullptr;
    manager().listen = nullptr;
    updating.store(false);
}
