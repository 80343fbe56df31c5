// A point with its horizontal and vertical accuracy in metres, as every fix carries it.
#pragma once

#include "runtime/location/Coordinates.h"

namespace javax::microedition::location {

class QualifiedCoordinates : public Coordinates {
    JAVA_CLASS(QualifiedCoordinates, "javax.microedition.location.QualifiedCoordinates", Coordinates)
public:
    // The range checks and IllegalArgumentException of Coordinates; the accuracies unchecked.
    QualifiedCoordinates(double latitude, double longitude, float altitude, float horizontalAccuracy,
                         float verticalAccuracy);

    virtual float getHorizontalAccuracy() { return m_horizontalAccuracy; }
    virtual float getVerticalAccuracy() { return m_verticalAccuracy; }
    virtual void setHorizontalAccuracy(float accuracy) { m_horizontalAccuracy = accuracy; }
    virtual void setVerticalAccuracy(float accuracy) { m_verticalAccuracy = accuracy; }

private:
    float m_horizontalAccuracy = 0;
    float m_verticalAccuracy = 0;
};

}  // namespace javax::microedition::location
