// The framework's HTTP worker against a local server: what it sends, how it stores the body,
// and how a stop or a newer request ends it; and the URL encoder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/framework/HookCanvas.h"
#include "app/framework/WLHttpConnectionThread.h"
#include "app/framework/tests/CanvasFixture.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/connections/tests/TestHttpServer.h"
#include "runtime/text/String.h"

using frameworktest::CanvasFixture;
using frameworktest::waitFor;
using httptest::TestHttpServer;
using java::lang::jnew;

namespace {

JavaPtr<java::lang::String> jstr(const std::string& text) { return jnew<java::lang::String>(text.c_str()); }

std::string pattern(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return bytes;
}

std::string stored(WLHttpConnectionThread& worker) {
    JavaPtr<JArray<signed char>> buffer = worker.getBuffer();
    if (!buffer) return "<none>";
    java::lang::LockObject hold = buffer->startSync();
    return std::string(reinterpret_cast<const char*>(buffer->data), static_cast<size_t>(worker.received.load()));
}

class HttpWorker : public CanvasFixture {
protected:
    void SetUp() override {
        CanvasFixture::SetUp();
        javax::microedition::io::HttpConnection::HttpConnection_staticInit();
    }
    void TearDown() override {
        if (canvas) canvas->closeHttpConnection();
        WLHttpConnectionThread::WLHttpConnectionThread_globalStaticDestroy();
        javax::microedition::io::HttpConnection::HttpConnection_staticDestroy();
        CanvasFixture::TearDown();
    }

    // Runs one request to its end.
    JavaPtr<WLHttpConnectionThread> fetch(const std::string& url, int32_t encoding, const char* post) {
        JavaPtr<WLHttpConnectionThread> worker = jnew<WLHttpConnectionThread>();
        JavaPtr<JArray<signed char>> body;
        if (post) {
            body = jnew<JArray<signed char>>(static_cast<int32_t>(std::strlen(post)));
            std::memcpy(body->data, post, std::strlen(post));
        }
        worker->initConnection(canvas, jstr(url), encoding, body);
        EXPECT_TRUE(waitFor([&] { return worker->hasEnded(); })) << url;
        return worker;
    }

    TestHttpServer server;
};

TEST_F(HttpWorker, StoresTheBodyByteForByteInABufferSizedByTheLength) {
    struct Case {
        std::string path;
        int32_t code;
        int32_t contentLength;
        int32_t bufferLength;
        std::string body;
    };
    const Case cases[] = {
        {"/bytes?n=2500&length=0", 200, -1, 3072, pattern(2500)},
        {"/bytes?n=10", 200, 10, 10, pattern(10)},
        {"/bytes?n=0&length=0", 200, -1, 1024, ""},
        {"/status?line=HTTP/1.1+304+Not+Modified&length=2000000000", 304, 2000000000, 0, ""},
        {"/nowhere", 404, 8, 8, "not here"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        JavaPtr<WLHttpConnectionThread> worker = fetch(server.url(c.path), 0, nullptr);
        EXPECT_EQ(worker->responseCode, c.code);
        EXPECT_EQ(worker->contentLength, c.contentLength);
        EXPECT_TRUE(worker->reading);
        EXPECT_EQ(worker->getBuffer()->length, c.bufferLength);
        EXPECT_EQ(stored(*worker), c.body);
        EXPECT_TRUE(worker->closed);
    }
    JavaPtr<WLHttpConnectionThread> refused = fetch("ftp://127.0.0.1/", 0, nullptr);
    EXPECT_EQ(refused->responseCode, 0);
    EXPECT_EQ(refused->getBuffer(), nullptr);
}

TEST_F(HttpWorker, SendsItsFixedFieldsAndTheBodyFieldsOfItsEncoding) {
    struct Case {
        int32_t encoding;
        const char* post;
        std::string fields;
    };
    const Case cases[] = {
        {0, nullptr, ""},
        {WLHttpConnectionThread::Encoding_Default, "a=1", "Content-Type: */*\nAccept: */*\nContent-Length: 3\n"},
        {WLHttpConnectionThread::Encoding_OctetStream, "a=1",
         "Content-Type: application/octet-stream\nAccept: */*\nContent-Length: 3\n"},
        {WLHttpConnectionThread::Encoding_Form, "a=1",
         "Content-Type: application/x-www-form-urlencoded\nAccept: */*\nContent-Length: 3\n"},
        {7, "a=1", "Content-Length: 3\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        JavaPtr<WLHttpConnectionThread> worker = fetch(server.url("/echo"), c.encoding, c.post);
        const std::string echo = stored(*worker);
        const std::string fixed = "User-Agent: wendrel\nContent-Language: en-UK\nConnection: close\n";
        // The connection's fields go out in its table's order: compare them as a set of lines.
        std::multiset<std::string> expected, seen;
        std::istringstream expectedLines(fixed + c.fields), seenLines(echo.substr(echo.find('\n') + 1));
        for (std::string line; std::getline(expectedLines, line);) expected.insert(line);
        for (std::string line; std::getline(seenLines, line) && !line.empty();)
            if (!line.starts_with("Host:")) seen.insert(line);
        EXPECT_EQ(seen, expected) << echo;
        EXPECT_EQ(echo.substr(0, echo.find(' ')), c.post ? "POST" : "GET");
        if (c.post) EXPECT_EQ(echo.substr(echo.find("\n\n") + 2), c.post);
    }
}

TEST_F(HttpWorker, ANewerRequestStopsTheRunningOne) {
    canvas->openHttpConnectionByteArrayData(jstr(server.url("/stall?first=50")), 0, nullptr);
    JavaPtr<WLHttpConnectionThread> first = HookCanvas::currentHttpConnection();
    canvas->openHttpConnectionStringData(jstr(server.url("/echo")), 2, jstr("x=\\u00e9"));
    JavaPtr<WLHttpConnectionThread> second = HookCanvas::currentHttpConnection();
    ASSERT_NE(first, second);
    EXPECT_TRUE(first->closed);
    EXPECT_TRUE(waitFor([&] { return first->hasEnded() && second->hasEnded(); }));
    EXPECT_EQ(second->responseCode, 200);
    EXPECT_EQ(stored(*second).substr(stored(*second).find("\n\n") + 2), "x=\xe9");
    canvas->closeHttpConnection();
    EXPECT_EQ(HookCanvas::currentHttpConnection(), nullptr);
}

TEST_F(HttpWorker, StopsRacingRequestsEndEveryWorkerQuietly) {
    for (int round = 0; round < 24; ++round) {
        JavaPtr<WLHttpConnectionThread> worker = jnew<WLHttpConnectionThread>();
        worker->initConnection(canvas, jstr(server.url(round % 2 ? "/bytes?n=3000&length=0" : "/bytes?n=3000")), 0, nullptr);
        for (int i = 0; i < round * 50; ++i) std::this_thread::yield();
        worker->closeConnection();
        EXPECT_TRUE(waitFor([&] { return worker->hasEnded(); }));
        EXPECT_LE(worker->received, 3000);
        EXPECT_TRUE(worker->closed);
    }
}

TEST(UrlEncode, KeepsTheSafeSetAndEncodesTheLowByteOfEverythingElse) {
    struct Case {
        std::u16string in;
        const char* out;
    };
    const Case cases[] = {
        {u"a b&c", "a%20b%26c"},
        {u"A-Z_0.9!*'()", "A-Z_0.9!*'()"},
        {u"~+/", "%7E%2B%2F"},
        {u"\u20AC\u00E9", "%AC%E9"},
        {u"", ""},
    };
    for (const Case& c : cases) {
        auto encoded = HookCanvas::urlEncode(jnew<java::lang::String>(c.in.data(), static_cast<int32_t>(c.in.size())));
        EXPECT_EQ(std::string(encoded->val()), c.out);
    }
}

}  // namespace
