// The interface that hands out the elements of a collection one at a time.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Object.h"
#include "runtime/lang/Smart.h"

namespace java::util {

class Enumeration : public virtual java::lang::Smart {
    JAVA_CLASS(Enumeration, "java.util.Enumeration", java::lang::Smart)
public:
    virtual bool hasMoreElements() = 0;
    // NoSuchElementException once every element has been handed out.
    virtual JavaPtr<java::lang::Object> nextElement() = 0;
};

}  // namespace java::util
