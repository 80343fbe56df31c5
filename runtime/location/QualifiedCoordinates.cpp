#include "runtime/location/QualifiedCoordinates.h"

namespace javax::microedition::location {

QualifiedCoordinates::QualifiedCoordinates(double latitude, double longitude, float altitude,
                                           float horizontalAccuracy, float verticalAccuracy)
    : Coordinates(latitude, longitude, altitude) {
    setHorizontalAccuracy(horizontalAccuracy);
    setVerticalAccuracy(verticalAccuracy);
}

}  // namespace javax::microedition::location
