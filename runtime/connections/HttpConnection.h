// A content connection over HTTP: the request line and fields, the response status and fields.
#pragma once

#include <cstdint>

#include "runtime/connections/ContentConnection.h"

namespace javax::microedition::io {

class HttpConnection : public virtual ContentConnection {
    JAVA_CLASS(HttpConnection, "javax.microedition.io.HttpConnection", ContentConnection)
public:
    using String = java::lang::String;

    // The request methods, compared with equals; made at static set-up.
    static inline JavaPtr<String> GET;
    static inline JavaPtr<String> HEAD;
    static inline JavaPtr<String> POST;
    // Also fills Connector's HTTP slot, and the destroy empties it.
    static void HttpConnection_staticInit();
    static void HttpConnection_staticDestroy();

    static constexpr int32_t HTTP_OK = 200;
    static constexpr int32_t HTTP_CREATED = 201;
    static constexpr int32_t HTTP_ACCEPTED = 202;
    static constexpr int32_t HTTP_NOT_AUTHORITATIVE = 203;
    static constexpr int32_t HTTP_NO_CONTENT = 204;
    static constexpr int32_t HTTP_RESET = 205;
    static constexpr int32_t HTTP_PARTIAL = 206;
    static constexpr int32_t HTTP_MULT_CHOICE = 300;
    static constexpr int32_t HTTP_MOVED_PERM = 301;
    static constexpr int32_t HTTP_MOVED_TEMP = 302;
    static constexpr int32_t HTTP_SEE_OTHER = 303;
    static constexpr int32_t HTTP_NOT_MODIFIED = 304;
    static constexpr int32_t HTTP_USE_PROXY = 305;
    static constexpr int32_t HTTP_TEMP_REDIRECT = 307;
    static constexpr int32_t HTTP_BAD_REQUEST = 400;
    static constexpr int32_t HTTP_UNAUTHORIZED = 401;
    static constexpr int32_t HTTP_PAYMENT_REQUIRED = 402;
    static constexpr int32_t HTTP_FORBIDDEN = 403;
    static constexpr int32_t HTTP_NOT_FOUND = 404;
    static constexpr int32_t HTTP_BAD_METHOD = 405;
    static constexpr int32_t HTTP_NOT_ACCEPTABLE = 406;
    static constexpr int32_t HTTP_PROXY_AUTH = 407;
    static constexpr int32_t HTTP_CLIENT_TIMEOUT = 408;
    static constexpr int32_t HTTP_CONFLICT = 409;
    static constexpr int32_t HTTP_GONE = 410;
    static constexpr int32_t HTTP_LENGTH_REQUIRED = 411;
    static constexpr int32_t HTTP_PRECON_FAILED = 412;
    static constexpr int32_t HTTP_ENTITY_TOO_LARGE = 413;
    static constexpr int32_t HTTP_REQ_TOO_LONG = 414;
    static constexpr int32_t HTTP_UNSUPPORTED_TYPE = 415;
    static constexpr int32_t HTTP_UNSUPPORTED_RANGE = 416;
    static constexpr int32_t HTTP_EXPECT_FAILED = 417;
    static constexpr int32_t HTTP_INTERNAL_ERROR = 500;
    static constexpr int32_t HTTP_NOT_IMPLEMENTED = 501;
    static constexpr int32_t HTTP_BAD_GATEWAY = 502;
    static constexpr int32_t HTTP_UNAVAILABLE = 503;
    static constexpr int32_t HTTP_GATEWAY_TIMEOUT = 504;
    static constexpr int32_t HTTP_VERSION = 505;

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
