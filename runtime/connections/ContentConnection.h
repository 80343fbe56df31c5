// A stream connection whose content has a type, an encoding and a length.
#pragma once

#include <cstdint>

#include "runtime/connections/StreamConnection.h"

namespace java::lang { class String; }

namespace javax::microedition::io {

class ContentConnection : public virtual StreamConnection {
    JAVA_CLASS(ContentConnection, "javax.microedition.io.ContentConnection", StreamConnection)
public:
    virtual JavaPtr<java::lang::String> getEncoding() = 0;
    virtual int64_t getLength() = 0;
    virtual JavaPtr<java::lang::String> getType() = 0;
};

}  // namespace javax::microedition::io
