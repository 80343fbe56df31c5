// A test of a channel's value, and the names of the comparison operators conditions use.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::sensor {

class Condition : public virtual java::lang::Smart {
    JAVA_CLASS(Condition, "javax.microedition.sensor.Condition", java::lang::Smart)
public:
    static inline JavaPtr<java::lang::String> OP_EQUALS;
    static inline JavaPtr<java::lang::String> OP_GREATER_THAN;
    static inline JavaPtr<java::lang::String> OP_GREATER_THAN_OR_EQUALS;
    static inline JavaPtr<java::lang::String> OP_LESS_THAN;
    static inline JavaPtr<java::lang::String> OP_LESS_THAN_OR_EQUALS;

    static void Condition_staticInit();
    static void Condition_staticDestroy();

    virtual bool isMet(double value) = 0;
};

}  // namespace javax::microedition::sensor
