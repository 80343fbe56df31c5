// A content connection over HTTP: the request line and fields, the response status and fields.
#pragma once

#include <cstdint>

#include "runtime/connections/ContentConnection.h"

namespace javax::microedition::io {

class HttpConnection : public virtual ContentConnection {
    JAVA_CLASS(HttpConnection, "javax.microedition.io.HttpConnection", ContentConnection)
public:
    using String = java::lang::String;

    virtual int64_t getDate() = 0;
    virtual int64_t getExpiration() = 0;
    virtual JavaPtr<String> getFile() = 0;
    virtual JavaPtr<String> getHeaderField(int32_t index) = 0;
    virtual JavaPtr<String> getHeaderField(JavaPtr<String> name) = 0;
    virtual int64_t getHeaderFieldDate(JavaPtr<String> name, int64_t defaultValue) = 0;
    virtual int32_t getHeaderFieldInt(JavaPtr<String> name, int32_t defaultValue) = 0;
    virtual JavaPtr<String> getHeaderFieldKey(int32_t index) = 0;
    virtual JavaPtr<String> getHost() = 0;
    virtual int64_t getLastModified() = 0;
    virtual int32_t getPort() = 0;
    virtual JavaPtr<String> getProtocol() = 0;
    virtual JavaPtr<String> getQuery() = 0;
    virtual JavaPtr<String> getRef() = 0;
    virtual JavaPtr<String> getRequestMethod() = 0;
    virtual JavaPtr<String> getRequestProperty(JavaPtr<String> key) = 0;
    virtual int32_t getResponseCode() = 0;
    virtual JavaPtr<String> getResponseMessage() = 0;
    virtual JavaPtr<String> getURL() = 0;
    virtual void setRequestMethod(JavaPtr<String> method) = 0;
    virtual void setRequestProperty(JavaPtr<String> key, JavaPtr<String> value) = 0;
};

}  // namespace javax::microedition::io
