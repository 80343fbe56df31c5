// Helpers the HTTP tests share: the statics, opening a connection, reading a whole body.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/connections/Connector.h"
#include "runtime/connections/tests/TestHttpServer.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/connections/HttpConnectionImpl.h"
#include "runtime/io/InputStream.h"
#include "runtime/lang/JArray.h"
#include "runtime/text/String.h"

namespace httptest {

// Sets up the method statics and Connector's HTTP slot once, and keeps proxies out of the way.
class HttpStatics : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
            unsetenv(name);
        javax::microedition::io::HttpConnection::HttpConnection_staticInit();
    }
    void TearDown() override { javax::microedition::io::HttpConnection::HttpConnection_staticDestroy(); }
};

inline JavaPtr<java::lang::String> jstr(const std::string& text) {
    return java::lang::jnew<java::lang::String>(text.c_str());
}

inline JavaPtr<javax::microedition::io::HttpConnectionImpl> openHttp(const std::string& url) {
    return java::lang::recastObj<javax::microedition::io::HttpConnectionImpl>(
        javax::microedition::io::Connector::open(jstr(url)));
}

inline std::string readAll(const JavaPtr<java::io::InputStream>& stream) {
    std::string bytes;
    auto block = java::lang::jnew<JArray<signed char>>(4096);
    for (int32_t n; (n = stream->read(block, 0, block->length)) > 0;)
        bytes.append(reinterpret_cast<const char*>(block->data), static_cast<size_t>(n));
    return bytes;
}

inline std::string text(const JavaPtr<java::lang::String>& value) { return value ? std::string(value->val()) : "<null>"; }

// How many requests for the path the server has answered.
inline int hits(const TestHttpServer& server, const std::string& path) {
    return std::stoi(readAll(openHttp(server.url("/hits?path=" + path))->openInputStream()));
}

// The server's body for /bytes?n=N.
inline std::string pattern(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return bytes;
}

}  // namespace httptest
