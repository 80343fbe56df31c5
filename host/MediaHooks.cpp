#include "host/MediaHooks.h"

#include "host/Launcher.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/Manager.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/control/MetaDataControl.h"

void joinMediaToLauncher() {
    using namespace javax::microedition::media;
    launcher::staticInitHooks().add(&Manager::Manager_staticInit);
    launcher::staticInitHooks().add(&PlayerListener::PlayerListener_staticInit);
    launcher::staticInitHooks().add(&control::MetaDataControl::MetaDataControl_staticInit);
    launcher::tickPollingHooks().add(&Manager::tick);
    launcher::preStopHooks().add(&Manager::tidyUp);
    launcher::staticDestroyHooks().add(&Manager::Manager_staticDestroy);
    launcher::staticDestroyHooks().add(&PlayerListener::PlayerListener_staticDestroy);
    launcher::staticDestroyHooks().add(&control::MetaDataControl::MetaDataControl_staticDestroy);
    launcher::staticDestroyHooks().add(&AudioSession::close);
}
