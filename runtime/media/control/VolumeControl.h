// The loudness of one player, 0 to 100, and its mute switch.
#pragma once

#include <cstdint>

#include "runtime/media/Control.h"

namespace javax::microedition::media::control {

class VolumeControl : public Control {
    JAVA_CLASS(VolumeControl, "javax.microedition.media.control.VolumeControl", Control)
public:
    virtual int32_t getLevel() = 0;
    virtual bool isMuted() = 0;
    virtual int32_t setLevel(int32_t level) = 0;
    virtual void setMute(bool mute) = 0;
};

}  // namespace javax::microedition::media::control
