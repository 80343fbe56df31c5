// An HTTP connection over TLS.
#pragma once

#include "runtime/connections/HttpConnection.h"
#include "runtime/lang/Object.h"

namespace javax::microedition::io {

class HttpsConnection : public virtual HttpConnection {
    JAVA_CLASS(HttpsConnection, "javax.microedition.io.HttpsConnection", HttpConnection)
public:
    int32_t getPort() override = 0;
    // Nothing describes the security of a connection here; implementations answer null.
    virtual JavaPtr<java::lang::Object> getSecurityInfo() = 0;
};

}  // namespace javax::microedition::io
