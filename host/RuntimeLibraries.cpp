#include "host/RuntimeLibraries.h"

#include "host/Launcher.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/khronos/egl/jEGL10.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/messaging/MessageConnection.h"
#include "runtime/sensor/Condition.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"

void joinRuntimeLibraries() {
    using namespace javax::microedition::sensor;
    using javax::microedition::location::LocationProvider;
    using javax::microedition::io::HttpConnection;
    using javax::wireless::messaging::MessageConnection;
    using launcher::staticDestroyHooks;
    using launcher::staticInitHooks;

    staticInitHooks().add(&Condition::Condition_staticInit);
    staticInitHooks().add(&SensorInfo::SensorInfo_staticInit);
    staticInitHooks().add(&SensorManager::SensorManager_staticInit);
    staticInitHooks().add(&LocationProvider::LocationProvider_staticInit);
    staticInitHooks().add(&MessageConnection::MessageConnection_staticInit);
    staticInitHooks().add(&HttpConnection::HttpConnection_staticInit);
    staticInitHooks().add(&javax::microedition::khronos::egl::jEGL10::jEGL10_staticInit);

    staticDestroyHooks().add(&Condition::Condition_staticDestroy);
    staticDestroyHooks().add(&SensorInfo::SensorInfo_staticDestroy);
    staticDestroyHooks().add(&SensorManager::SensorManager_staticDestroy);
    staticDestroyHooks().add(&LocationProvider::LocationProvider_staticDestroy);
    staticDestroyHooks().add(&MessageConnection::MessageConnection_staticDestroy);
    staticDestroyHooks().add(&HttpConnection::HttpConnection_staticDestroy);
    staticDestroyHooks().add(&javax::microedition::khronos::egl::jEGL10::jEGL10_staticDestroy);

    launcher::tickPollingHooks().add(&SensorManager::checkListeners);
    launcher::tickPollingHooks().add(&LocationProvider::checkListeners);
}
