// What every connection offers: closing it.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::io {

class Connection : public virtual java::lang::Smart {
    JAVA_CLASS(Connection, "javax.microedition.io.Connection", java::lang::Smart)
public:
    virtual void close() = 0;
};

}  // namespace javax::microedition::io
