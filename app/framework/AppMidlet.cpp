#include "app/framework/AppMidlet.h"

#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Display.h"

using java::lang::jnew;
using javax::microedition::lcdui::Display;

AppMidlet* AppMidlet::WENDinvokeconstructor() {
    raiseCount();
    MIDlet::WENDinvokeconstructor();
    lowerCountWithoutRelease();
    return this;
}

void AppMidlet::setAppCanvas() {
    JavaPtr<HookCanvas> created = jnew<HookCanvas>();
    created->WENDinvokeconstructor();
    {
        std::lock_guard guard(s_staticsLock);
        canvas = created;
    }
    created->midlet = JavaPtr<AppMidlet>(this);
}

void AppMidlet::startApp() {
    if (!getCanvasStatic()) {
        setAppCanvas();
        JavaPtr<Display> fetched = Display::getDisplay(JavaPtr<MIDlet>(this));
        {
            std::lock_guard guard(s_staticsLock);
            display = fetched;
        }
        fetched->setCurrent(getCanvasStatic());
    }
    // Between the two, a quit on the canvas's own thread may have dropped it.
    if (JavaPtr<HookCanvas> current = getCanvasStatic()) {
        current->startMainThread();
        current->showNotify();
    }
}

void AppMidlet::pauseApp() {
    if (JavaPtr<HookCanvas> current = getCanvasStatic()) current->hideNotify();
}

void AppMidlet::destroyApp(bool unconditional) {
    // Before anything stops, so that a pass under way does not repaint after its updates.
    app_terminating = true;
    JavaPtr<HookCanvas> dropped;
    {
        std::lock_guard guard(s_staticsLock);
        dropped = std::move(canvas);
    }
    if (dropped) {
        dropped->hideNotify();
        dropped->stopMainThread();
        // The stopped loop never gets to the pass that saves a hidden canvas: the progress is
        // saved here, as a pause saves it.
        dropped->saveProgressWhileHidden();
        dropped->stopSteering();
        dropped->closeSounds();
    }
    notifyDestroyed();
}

void AppMidlet::AppMidlet_globalStaticDestroy() {
    JavaPtr<Display> oldDisplay;
    JavaPtr<HookCanvas> oldCanvas;
    {
        std::lock_guard guard(s_staticsLock);
        oldDisplay = std::move(display);
        oldCanvas = std::move(canvas);
    }
    // Released outside the lock, display first: the canvas's destructor may reach the statics.
    oldDisplay = nullptr;
    oldCanvas = nullptr;
}

JavaPtr<Display> AppMidlet::getDisplayStatic() {
    std::lock_guard guard(s_staticsLock);
    return display;
}

JavaPtr<HookCanvas> AppMidlet::getCanvasStatic() {
    std::lock_guard guard(s_staticsLock);
    return canvas;
}

JavaPtr<javax::microedition::midlet::MIDlet> makeAppMidlet() {
    JavaPtr<AppMidlet> midlet = jnew<AppMidlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}
