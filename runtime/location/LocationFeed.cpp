// The platform's fixes, on the UI thread: each valid one becomes the newest unpublished Location.
#include <cstdint>

#include "runtime/HostBridge.h"
#include "runtime/lang/System.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/text/String.h"

void locationFeedback(double latitude, double longitude, double horizontalAccuracy, double altitude,
                      double verticalAccuracy, int64_t, const char* description) {
    using namespace javax::microedition::location;
    using java::lang::jnew;
    // 180 east and 180 west are one meridian, kept as -180.
    if (longitude == 180.0) longitude = -180.0;
    // No position, or a negative accuracy, is no fix: it is dropped. Unknown altitude and
    // accuracies (NaN) are kept.
    if (!(latitude >= -90 && latitude <= 90) || !(longitude >= -180 && longitude < 180) || horizontalAccuracy < 0)
        return;
    java::lang::runGuarded([&] {
        JavaPtr<Location> fix = jnew<Location>();
        fix->m_isValid = true;
        fix->locationMethod = Location::MTE_SATELLITE;
        fix->timestamp = java::lang::System::currentTimeMillis();
        fix->qualifiedCoordinates =
            jnew<QualifiedCoordinates>(latitude, longitude, static_cast<float>(altitude),
                                       static_cast<float>(horizontalAccuracy), static_cast<float>(verticalAccuracy));
        if (description) fix->extraInfo = jnew<java::lang::String>(description);
        LocationProvider::setLastUnreportedLocation(fix);
    });
}
