// A connection that can be written as a stream.
#pragma once

#include "runtime/connections/Connection.h"

namespace java::io {
class DataOutputStream;
class OutputStream;
}  // namespace java::io

namespace javax::microedition::io {

class OutputConnection : public virtual Connection {
    JAVA_CLASS(OutputConnection, "javax.microedition.io.OutputConnection", Connection)
public:
    virtual JavaPtr<java::io::DataOutputStream> openDataOutputStream() = 0;
    virtual JavaPtr<java::io::OutputStream> openOutputStream() = 0;
};

}  // namespace javax::microedition::io
