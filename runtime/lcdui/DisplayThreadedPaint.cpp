#include "runtime/lcdui/DisplayThreadedPaint.h"

#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/DisplayThreadedCallSerially.h"
#include "runtime/lcdui/PlatformBridge.h"

namespace javax::microedition::lcdui {

void DisplayThreadedPaint::run() {
    paintingThread = std::this_thread::get_id();
    JavaPtr<java::lang::Thread> serialThread;
    while (!stop && !midletQuitInvoked()) {
        JavaPtr<Canvas> canvas = Display::takeThreadedRepaint(*this);
        if (!canvas) continue;
        canvas->repaintReal(0, 0, canvas->getWidth(), canvas->getHeight());
        Display::threadedRepaintDone();
        // A pass with nothing queued starts no thread; the previous drain ends before the next starts.
        if (!Display::hasSeriallyCalls()) continue;
        if (serialThread) serialThread->join();
        serialThread = java::lang::jnew<java::lang::Thread>();
        serialThread->WENDinvokeconstructor(java::lang::jnew<DisplayThreadedCallSerially>());
        serialThread->start();
    }
    if (serialThread) serialThread->join();
}

}  // namespace javax::microedition::lcdui
