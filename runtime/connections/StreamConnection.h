// A connection that is read and written as streams.
#pragma once

#include "runtime/connections/InputConnection.h"
#include "runtime/connections/OutputConnection.h"

namespace javax::microedition::io {

class StreamConnection : public virtual InputConnection, public virtual OutputConnection {
    JAVA_CLASS(StreamConnection, "javax.microedition.io.StreamConnection", InputConnection, OutputConnection)
};

}  // namespace javax::microedition::io
