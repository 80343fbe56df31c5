// The tone control players hand out: it accepts any sequence and plays nothing.
#pragma once

#include <mutex>

#include "runtime/lang/Object.h"
#include "runtime/media/control/ToneControl.h"

namespace javax::microedition::media { class PlayerImpl; }

namespace javax::microedition::media::control {

class ToneControlImpl : public java::lang::Object, public ToneControl {
    JAVA_CLASS(ToneControlImpl, "javax.microedition.media.control.ToneControlImpl", java::lang::Object, ToneControl)
public:
    explicit ToneControlImpl(JavaPtr<PlayerImpl> player);
    ~ToneControlImpl() override;

    void setSequence(JavaPtr<JArray<signed char>> sequence) override {}
    void notifyParentClosed();

private:
    std::mutex m_lock;
    JavaPtr<PlayerImpl> player;
};

}  // namespace javax::microedition::media::control
