// One fix: a point with accuracies, its time, how it was found and a description; or an invalid
// location whose description says why there is no fix.
#pragma once

#include <cstdint>

#include "runtime/location/QualifiedCoordinates.h"

namespace javax::microedition::location {

class Location : public java::lang::Object {
    JAVA_CLASS(Location, "javax.microedition.location.Location", java::lang::Object)
public:
    using String = java::lang::String;

    static constexpr int32_t MTE_SATELLITE = 1;
    static constexpr int32_t MTE_TIMEDIFFERENCE = 2;
    static constexpr int32_t MTE_TIMEOFARRIVAL = 4;
    static constexpr int32_t MTE_CELLID = 8;
    static constexpr int32_t MTE_SHORTRANGE = 16;
    static constexpr int32_t MTE_ANGLEOFARRIVAL = 32;
    static constexpr int32_t MTY_TERMINALBASED = 65536;
    static constexpr int32_t MTY_NETWORKBASED = 131072;
    static constexpr int32_t MTA_ASSISTED = 262144;
    static constexpr int32_t MTA_UNASSISTED = 524288;

    virtual JavaPtr<java::lang::Object> getAddressInfo() { return addressInfo; }
    virtual float getCourse() { return course; }
    // The description for "text/plain", null for any other type.
    virtual JavaPtr<String> getExtraInfo(JavaPtr<String> mimeType);
    virtual int32_t getLocationMethod() { return locationMethod; }
    virtual JavaPtr<QualifiedCoordinates> getQualifiedCoordinates() { return qualifiedCoordinates; }
    virtual float getSpeed() { return speed; }
    virtual int64_t getTimestamp() { return timestamp; }
    virtual bool isValid() { return m_isValid; }

    // Filled by the runtime's own code only; a location is not changed once handed out.
    JavaPtr<java::lang::Object> addressInfo;
    float course = 0;
    float speed = 0;
    JavaPtr<String> extraInfo;
    int32_t locationMethod = 0;
    JavaPtr<QualifiedCoordinates> qualifiedCoordinates;
    int64_t timestamp = -1;
    bool m_isValid = false;
};

}  // namespace javax::microedition::location
