// A clock that players could share; players here neither use nor hand one out.
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::media {

class TimeBase : public virtual java::lang::Smart {
    JAVA_CLASS(TimeBase, "javax.microedition.media.TimeBase", java::lang::Smart)
public:
    virtual int64_t getTime() = 0;
};

}  // namespace javax::microedition::media
