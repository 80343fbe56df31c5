#include "host/RuntimeLibraries.h"

#include "host/Launcher.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/messaging/MessageConnection.h"
#include "runtime/sensor/Condition.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"

void joinRuntimeLibraries() {
    using namespace javax::microedition::sensor;
    using javax::microedition::location::LocationProvider;
    using javax::wireless::messaging::MessageConnection;
    using launcher::staticDestroyHooks;
    using launcher::staticInitHooks;

    staticInitHooks().add(&Condition::Condition_staticInit);
    staticInitHooks().add(&SensorInfo::SensorInfo_staticInit);
    staticInitHooks().add(&SensorManager::SensorManager_staticInit);
    staticInitHooks().add(&LocationProvider::LocationProvider_staticInit);
    staticInitHooks().add(&MessageConnection::MessageConnection_staticInit);

    staticDestroyHooks().add(&Condition::Condition_staticDestroy);
    staticDestroyHooks().add(&SensorInfo::SensorInfo_staticDestroy);
    staticDestroyHooks().add(&SensorManager::SensorManager_staticDestroy);
    staticDestroyHooks().add(&LocationProvider::LocationProvider_staticDestroy);
    staticDestroyHooks().add(&MessageConnection::MessageConnection_staticDestroy);

    launcher::tickPollingHooks().add(&SensorManager::checkListeners);
    launcher::tickPollingHooks().add(&LocationProvider::checkListeners);
}
