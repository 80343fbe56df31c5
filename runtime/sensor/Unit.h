// The unit of a channel's values, known by its symbol; every lookup makes a new one.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::sensor {

class Unit : public java::lang::Object {
    JAVA_CLASS(Unit, "javax.microedition.sensor.Unit", java::lang::Object)
public:
    Unit() = default;
    explicit Unit(JavaPtr<java::lang::String> symbol) : m_symbol(std::move(symbol)) {}

    static JavaPtr<Unit> getUnit(JavaPtr<java::lang::String> symbol) {
        return java::lang::jnew<Unit>(std::move(symbol));
    }
    // The symbol itself, null for a unit made without one.
    JavaPtr<java::lang::String> toString() override { return m_symbol; }

private:
    JavaPtr<java::lang::String> m_symbol;
};

}  // namespace javax::microedition::sensor
