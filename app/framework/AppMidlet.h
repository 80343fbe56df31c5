// The application's MIDlet: owns the one HookCanvas, makes it current, starts and stops its main
// thread, and turns pause and termination into the canvas's hide notification.
#pragma once

#include <atomic>
#include <mutex>

#include "app/framework/AppParameters.h"
#include "host/MIDlet.h"

namespace javax::microedition::lcdui { class Display; }
class HookCanvas;

class AppMidlet : public javax::microedition::midlet::MIDlet, public AppParameters {
    JAVA_CLASS(AppMidlet, "AppMidlet", javax::microedition::midlet::MIDlet)
public:
    // Set by destroyApp and never cleared: the canvas's loop stops repainting once it is set.
    static inline std::atomic<bool> app_terminating{false};

    AppMidlet* WENDinvokeconstructor();

    void destroyApp(bool unconditional) override;
    void pauseApp() override;
    void startApp() override;
    virtual void setAppCanvas();

    // Clears the display, then the canvas.
    static void AppMidlet_globalStaticDestroy();

    // The statics, which the UI thread and the canvas's own thread (through quit) both change.
    static JavaPtr<javax::microedition::lcdui::Display> getDisplayStatic();
    static JavaPtr<HookCanvas> getCanvasStatic();

private:
    static inline std::mutex s_staticsLock;
    static inline JavaPtr<javax::microedition::lcdui::Display> display;
    static inline JavaPtr<HookCanvas> canvas;
};

// The factory the program registers with ProxyMIDlet.
JavaPtr<javax::microedition::midlet::MIDlet> makeAppMidlet();
