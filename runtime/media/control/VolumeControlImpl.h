// The volume control players hand out: remembers the level and the mute switch and forwards
// changes to its player until the player is closed.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "runtime/lang/Object.h"
#include "runtime/media/control/VolumeControl.h"

namespace javax::microedition::media { class PlayerImpl; }

namespace javax::microedition::media::control {

class VolumeControlImpl : public java::lang::Object, public VolumeControl {
    JAVA_CLASS(VolumeControlImpl, "javax.microedition.media.control.VolumeControlImpl", java::lang::Object,
               VolumeControl)
public:
    explicit VolumeControlImpl(JavaPtr<PlayerImpl> player);
    ~VolumeControlImpl() override;

    int32_t getLevel() override;
    bool isMuted() override;
    int32_t setLevel(int32_t level) override;
    void setMute(bool mute) override;

    void notifyParentClosed();
    bool isParentClosed();

private:
    // The player while it is open, else null.
    JavaPtr<PlayerImpl> openPlayer();

    std::mutex m_lock;
    JavaPtr<PlayerImpl> player;
    std::atomic<int32_t> level{-1};
    std::atomic<bool> muted{false};
    std::atomic<bool> levelSet{false};
};

}  // namespace javax::microedition::media::control
