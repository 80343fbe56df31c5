#include "app/framework/StaticProxy.h"

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/WLHttpConnectionThread.h"
#include "host/Launcher.h"

void StaticProxy::initialiseAllStatics() { HookCanvas::HookCanvas_globalStaticCreate(); }

void StaticProxy::destroyAllStatics() {
    AppMidlet::AppMidlet_globalStaticDestroy();
    HookCanvas::HookCanvas_globalStaticDestroy();
    WLHttpConnectionThread::WLHttpConnectionThread_globalStaticDestroy();
}

void StaticProxy::registerWithLauncher() {
    launcher::preStartHooks().add(&StaticProxy::initialiseAllStatics);
    launcher::postStopHooks().add(&StaticProxy::destroyAllStatics);
}
