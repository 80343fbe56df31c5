// The string statics of the sensor API's interfaces, made from literal text at start-up.
#include "runtime/sensor/Condition.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/text/String.h"

namespace javax::microedition::sensor {

using java::lang::String;
using java::lang::jnew;

void Condition::Condition_staticInit() {
    OP_EQUALS = jnew<String>("eq");
    OP_GREATER_THAN = jnew<String>("gt");
    OP_GREATER_THAN_OR_EQUALS = jnew<String>("ge");
    OP_LESS_THAN = jnew<String>("lt");
    OP_LESS_THAN_OR_EQUALS = jnew<String>("le");
}

void Condition::Condition_staticDestroy() {
    OP_EQUALS = nullptr;
    OP_GREATER_THAN = nullptr;
    OP_GREATER_THAN_OR_EQUALS = nullptr;
    OP_LESS_THAN = nullptr;
    OP_LESS_THAN_OR_EQUALS = nullptr;
}

void SensorInfo::SensorInfo_staticInit() {
    CONTEXT_TYPE_AMBIENT = jnew<String>("ambient");
    CONTEXT_TYPE_DEVICE = jnew<String>("device");
    CONTEXT_TYPE_USER = jnew<String>("user");
    CONTEXT_TYPE_VEHICLE = jnew<String>("vehicle");
    PROP_IS_CONTROLLABLE = jnew<String>("controllable");
    PROP_IS_REPORTING_ERRORS = jnew<String>("errorsReported");
    PROP_LATITUDE = jnew<String>("latitude");
    PROP_LOCATION = jnew<String>("location");
    PROP_LONGITUDE = jnew<String>("longitude");
    PROP_MAX_RATE = jnew<String>("maxSamplingRate");
    PROP_VENDOR = jnew<String>("vendor");
    PROP_VERSION = jnew<String>("version");
}

void SensorInfo::SensorInfo_staticDestroy() {
    for (JavaPtr<String>* name : {&CONTEXT_TYPE_AMBIENT, &CONTEXT_TYPE_DEVICE, &CONTEXT_TYPE_USER, &CONTEXT_TYPE_VEHICLE,
                                  &PROP_IS_CONTROLLABLE, &PROP_IS_REPORTING_ERRORS, &PROP_LATITUDE, &PROP_LOCATION,
                                  &PROP_LONGITUDE, &PROP_MAX_RATE, &PROP_VENDOR, &PROP_VERSION})
        *name = nullptr;
}

}  // namespace javax::microedition::sensor
