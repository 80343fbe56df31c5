// Collects the request body of an HTTP connection; the connection takes it when it sends.
#pragma once

#include "runtime/io/ByteArrayOutputStream.h"

namespace javax::microedition::io {

class HttpConnectionImpl;

class HttpOutputStream : public java::io::ByteArrayOutputStream {
    JAVA_CLASS(HttpOutputStream, "javax.microedition.io.HttpOutputStream", java::io::ByteArrayOutputStream)
public:
    HttpOutputStream() = default;
    explicit HttpOutputStream(JavaPtr<HttpConnectionImpl> connection);
    ~HttpOutputStream() override;

    // Hands what was written to the connection when it is building its request, and then
    // empties; at any other time the bytes stay.
    void flush() override;

private:
    JavaPtr<HttpConnectionImpl> m_connection;
};

}  // namespace javax::microedition::io
