// Takes a tone sequence in the media API's byte format.
#pragma once

#include "runtime/lang/JArray.h"
#include "runtime/media/Control.h"

namespace javax::microedition::media::control {

class ToneControl : public Control {
    JAVA_CLASS(ToneControl, "javax.microedition.media.control.ToneControl", Control)
public:
    static constexpr signed char VERSION = -2;
    static constexpr signed char TEMPO = -3;
    static constexpr signed char RESOLUTION = -4;
    static constexpr signed char BLOCK_START = -5;
    static constexpr signed char BLOCK_END = -6;
    static constexpr signed char PLAY_BLOCK = -7;
    static constexpr signed char SET_VOLUME = -8;
    static constexpr signed char REPEAT = -9;
    static constexpr signed char C4 = 60;
    static constexpr signed char SILENCE = -1;

    virtual void setSequence(JavaPtr<JArray<signed char>> sequence) = 0;
};

}  // namespace javax::microedition::media::control
