// What a MIDlet asks of a location provider; stored with the provider and never evaluated, since
// every provider is the same location service.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::location {

class Criteria : public java::lang::Object {
    JAVA_CLASS(Criteria, "javax.microedition.location.Criteria", java::lang::Object)
public:
    static constexpr int32_t NO_REQUIREMENT = 0;
    static constexpr int32_t POWER_USAGE_LOW = 1;
    static constexpr int32_t POWER_USAGE_MEDIUM = 2;
    static constexpr int32_t POWER_USAGE_HIGH = 3;

    virtual int32_t getPreferredPowerConsumption() { return m_preferredPowerConsumption; }
    virtual int32_t getHorizontalAccuracy() { return m_horizontalAccuracy; }
    virtual int32_t getPreferredResponseTime() { return m_preferredResponseTime; }
    virtual int32_t getVerticalAccuracy() { return m_verticalAccuracy; }
    virtual bool isAddressInfoRequired() { return m_addressInfoRequired; }
    virtual bool isAllowedToCost() { return m_costAllowed; }
    virtual bool isAltitudeRequired() { return m_altitudeRequired; }
    virtual bool isSpeedAndCourseRequired() { return m_speedAndCourseRequired; }
    virtual void setAddressInfoRequired(bool required) { m_addressInfoRequired = required; }
    virtual void setAltitudeRequired(bool required) { m_altitudeRequired = required; }
    virtual void setCostAllowed(bool allowed) { m_costAllowed = allowed; }
    virtual void setHorizontalAccuracy(int32_t metres) { m_horizontalAccuracy = metres; }
    virtual void setPreferredPowerConsumption(int32_t level) { m_preferredPowerConsumption = level; }
    virtual void setPreferredResponseTime(int32_t millis) { m_preferredResponseTime = millis; }
    virtual void setSpeedAndCourseRequired(bool required) { m_speedAndCourseRequired = required; }
    virtual void setVerticalAccuracy(int32_t metres) { m_verticalAccuracy = metres; }

private:
    int32_t m_horizontalAccuracy = NO_REQUIREMENT;
    int32_t m_preferredPowerConsumption = NO_REQUIREMENT;
    int32_t m_preferredResponseTime = NO_REQUIREMENT;
    int32_t m_verticalAccuracy = NO_REQUIREMENT;
    bool m_addressInfoRequired = false;
    bool m_costAllowed = true;
    bool m_altitudeRequired = false;
    bool m_speedAndCourseRequired = false;
};

}  // namespace javax::microedition::location
