// Orders the records an enumeration hands out.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::rms {

class RecordComparator : public virtual java::lang::Smart {
    JAVA_CLASS(RecordComparator, "javax.microedition.rms.RecordComparator", Smart)
public:
    static constexpr int32_t EQUIVALENT = 0;
    static constexpr int32_t FOLLOWS = 1;
    static constexpr int32_t PRECEDES = -1;

    // PRECEDES when rec1 comes first; records are copies, null for an empty record.
    virtual int32_t compare(const JavaPtr<JArray<signed char>>& rec1, const JavaPtr<JArray<signed char>>& rec2) = 0;
};

}  // namespace javax::microedition::rms
