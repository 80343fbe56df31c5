// The repaint thread's work: paints the queued canvases and hands the serial calls to a short-lived
// thread after each pass that painted.
#pragma once

#include <atomic>
#include <thread>

#include "runtime/lang/Object.h"
#include "runtime/lang/Runnable.h"

namespace java::lang { class Thread; }

namespace javax::microedition::lcdui {

class DisplayThreadedPaint : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(DisplayThreadedPaint, "javax.microedition.lcdui.DisplayThreadedPaint", java::lang::Object,
               java::lang::Runnable)
public:
    void run() override;

    // Read under the Display's lock by the waiting thread, so that a stop is never missed.
    std::atomic<bool> stop{false};
    // So that a serviceRepaints inside a threaded paint does not wait for itself.
    std::atomic<std::thread::id> paintingThread{};
};

}  // namespace javax::microedition::lcdui
