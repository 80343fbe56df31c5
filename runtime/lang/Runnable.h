// The interface of anything a thread can run.
#pragma once

#include "runtime/lang/Smart.h"
#include "runtime/lang/JavaPtr.h"

namespace java::lang {

class Runnable : public virtual Smart {
    JAVA_CLASS(Runnable, "java.lang.Runnable", Smart)
public:
    virtual void run() = 0;
};

}  // namespace java::lang
