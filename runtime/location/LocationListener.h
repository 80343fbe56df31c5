// Implemented by a MIDlet to receive a provider's periodic fixes, on the runtime tick thread.
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::location {

class Location;
class LocationProvider;

class LocationListener : public virtual java::lang::Smart {
    JAVA_CLASS(LocationListener, "javax.microedition.location.LocationListener", java::lang::Smart)
public:
    virtual void locationUpdated(JavaPtr<LocationProvider> provider, JavaPtr<Location> location) = 0;
    virtual void providerStateChanged(JavaPtr<LocationProvider> provider, int32_t newState) = 0;
};

}  // namespace javax::microedition::location
