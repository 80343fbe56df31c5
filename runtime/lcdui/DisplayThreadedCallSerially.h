// One drain of the Display's serial calls on a thread of its own, for the threaded repaint.
#pragma once

#include "runtime/lang/Object.h"
#include "runtime/lang/Runnable.h"

namespace javax::microedition::lcdui {

class DisplayThreadedCallSerially : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(DisplayThreadedCallSerially, "javax.microedition.lcdui.DisplayThreadedCallSerially",
               java::lang::Object, java::lang::Runnable)
public:
    void run() override;
};

}  // namespace javax::microedition::lcdui
