#include "runtime/media/control/VolumeControlImpl.h"

#include <algorithm>

#include "runtime/media/PlayerImpl.h"

namespace javax::microedition::media::control {

VolumeControlImpl::VolumeControlImpl(JavaPtr<PlayerImpl> player) : player(std::move(player)) {}

VolumeControlImpl::~VolumeControlImpl() = default;

JavaPtr<PlayerImpl> VolumeControlImpl::openPlayer() {
    JavaPtr<PlayerImpl> current;
    {
        std::lock_guard guard(m_lock);
        current = player;
    }
    if (!current || current->getState() == Player::CLOSED) return nullptr;
    return current;
}

int32_t VolumeControlImpl::setLevel(int32_t wanted) {
    JavaPtr<PlayerImpl> current = openPlayer();
    if (!current) return -1;
    levelSet = true;
    const int32_t clamped = std::clamp(wanted, 0, 100);
    if (clamped == level) return clamped;
    // While muted the new level is only remembered, so that the sound stays silent until unmuted.
    if (muted) {
        level = clamped;
        return clamped;
    }
    if (!current->setVolume(clamped)) return level;
    level = clamped;
    return clamped;
}

int32_t VolumeControlImpl::getLevel() {
    JavaPtr<PlayerImpl> current = openPlayer();
    if (!current) return level;
    // While muted the player's level is the mute's 0, not one that was set.
    if (level != -1 || muted) return level;
    if (current->getState() == Player::REALIZED && !levelSet) return -1;
    level = current->getVolume();
    return level;
}

void VolumeControlImpl::setMute(bool mute) {
    JavaPtr<PlayerImpl> current = openPlayer();
    if (!current || muted == mute) return;
    // Unmuting a level never set asks the player for no level, which plays at full loudness.
    if (current->setVolume(mute ? 0 : level.load())) muted = mute;
}

bool VolumeControlImpl::isMuted() { return openPlayer() ? muted.load() : false; }

void VolumeControlImpl::notifyParentClosed() {
    JavaPtr<PlayerImpl> dropped;
    std::lock_guard guard(m_lock);
    dropped = std::move(player);
}

bool VolumeControlImpl::isParentClosed() { return !openPlayer(); }

}  // namespace javax::microedition::media::control
