// Implemented by a MIDlet to hear, on the runtime tick thread, that a fix lies within a
// registered radius of a point.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::location {

class Coordinates;
class Location;

class ProximityListener : public virtual java::lang::Smart {
    JAVA_CLASS(ProximityListener, "javax.microedition.location.ProximityListener", java::lang::Smart)
public:
    virtual void proximityEvent(JavaPtr<Coordinates> coordinates, JavaPtr<Location> location) = 0;
};

}  // namespace javax::microedition::location
