#include "host/MediaHooks.h"

#include <dlfcn.h>

#include <cstdlib>

#include "host/Launcher.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/Manager.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/control/MetaDataControl.h"

namespace {

extern "C" void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Looking for a device where there is none makes the audio libraries complain on standard error,
// many lines of it; the media library says it once instead. Settings the user gave are kept.
void quietenDeviceProbing() {
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // The audio library loads ALSA itself, later, and then finds it loaded with this handler.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler) setHandler(&ignoreAlsaError);
}

}  // namespace

void joinMediaToLauncher() {
    using namespace javax::microedition::media;
    quietenDeviceProbing();
    launcher::staticInitHooks().add(&Manager::Manager_staticInit);
    launcher::staticInitHooks().add(&PlayerListener::PlayerListener_staticInit);
    launcher::staticInitHooks().add(&control::MetaDataControl::MetaDataControl_staticInit);
    launcher::tickPollingHooks().add(&Manager::tick);
    // A terminate makes a device still opening useless: the application's threads stop waiting for it.
    launcher::preStopHooks().add(&AudioSession::abandonOpening);
    launcher::preStopHooks().add(&Manager::tidyUp);
    launcher::staticDestroyHooks().add(&Manager::Manager_staticDestroy);
    launcher::staticDestroyHooks().add(&PlayerListener::PlayerListener_staticDestroy);
    launcher::staticDestroyHooks().add(&control::MetaDataControl::MetaDataControl_staticDestroy);
    launcher::staticDestroyHooks().add(&AudioSession::close);
    // A device opener still waiting uses the audio library's statics.
    launcher::addStaticsInUseCheck(&AudioSession::openerRunning);
}
