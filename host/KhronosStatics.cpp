#include "host/KhronosStatics.h"

#include "host/Launcher.h"
#include "runtime/khronos/egl/jEGL10.h"

void joinKhronosStatics() {
    using javax::microedition::khronos::egl::jEGL10;
    launcher::staticInitHooks().add(&jEGL10::jEGL10_staticInit);
    launcher::staticDestroyHooks().add(&jEGL10::jEGL10_staticDestroy);
}
