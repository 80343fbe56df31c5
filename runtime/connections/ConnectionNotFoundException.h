// No handler takes the name given to Connector::open.
#pragma once

#include "runtime/io/IOException.h"

namespace javax::microedition::io {

JAVA_EXCEPTION_CLASS(ConnectionNotFoundException, java::io::IOException,
                     "javax.microedition.io.ConnectionNotFoundException")

}  // namespace javax::microedition::io
