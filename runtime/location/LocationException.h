// No fix in time: thrown by LocationProvider::getLocation.
#pragma once

#include "runtime/lang/Exceptions.h"

namespace javax::microedition::location {

JAVA_EXCEPTION_CLASS(LocationException, java::lang::Exception, "javax.microedition.location.LocationException")

}  // namespace javax::microedition::location
