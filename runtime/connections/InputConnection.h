// A connection that can be read as a stream.
#pragma once

#include "runtime/connections/Connection.h"

namespace java::io {
class DataInputStream;
class InputStream;
}  // namespace java::io

namespace javax::microedition::io {

class InputConnection : public virtual Connection {
    JAVA_CLASS(InputConnection, "javax.microedition.io.InputConnection", Connection)
public:
    virtual JavaPtr<java::io::DataInputStream> openDataInputStream() = 0;
    virtual JavaPtr<java::io::InputStream> openInputStream() = 0;
};

}  // namespace javax::microedition::io
