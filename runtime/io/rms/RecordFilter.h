// Chooses which records an enumeration hands out.
#pragma once

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::rms {

class RecordFilter : public virtual java::lang::Smart {
    JAVA_CLASS(RecordFilter, "javax.microedition.rms.RecordFilter", Smart)
public:
    // The candidate is a copy of the record's bytes, null for an empty record.
    virtual bool matches(const JavaPtr<JArray<signed char>>& candidate) = 0;
};

}  // namespace javax::microedition::rms
