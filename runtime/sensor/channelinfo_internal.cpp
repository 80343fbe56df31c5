#include "runtime/sensor/channelinfo_internal.h"

#include "runtime/sensor/MeasurementRange.h"
#include "runtime/sensor/Unit.h"
#include "runtime/text/Math.h"
#include "runtime/text/String.h"

namespace javax::microedition::sensor {

using java::lang::Math;
using java::lang::jnew;

namespace {

// The resolution is the single-precision 0.005 widened, not the double nearest 0.005.
constexpr double RESOLUTION = static_cast<double>(0.005f);
constexpr int32_t ROLL = 1;

}  // namespace

channelinfo_internal::channelinfo_internal(int32_t index)
    : m_channelIndex(index), m_name(jnew<java::lang::String>(index == ROLL ? "roll" : "pitch")) {}

JavaPtr<JArray<MeasurementRange>> channelinfo_internal::getMeasurementRanges() {
    JavaPtr<JArray<MeasurementRange>> ranges = jnew<JArray<MeasurementRange>>(1);
    (*ranges)[0] = m_channelIndex == ROLL ? jnew<MeasurementRange>(-Math::PI, Math::PI, RESOLUTION)
                                          : jnew<MeasurementRange>(Math::PI * -0.5, Math::PI * 0.5, RESOLUTION);
    return ranges;
}

JavaPtr<Unit> channelinfo_internal::getUnit() { return Unit::getUnit(jnew<java::lang::String>("rad")); }

}  // namespace javax::microedition::sensor
