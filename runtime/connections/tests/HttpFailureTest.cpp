// How HTTP exchanges fail: each failure is an IOException, nothing is sent again, refused
// requests are never sent, and close from another thread ends a waiting exchange at once.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "HttpTestSupport.h"
#include "TestHttpServer.h"
#include "runtime/connections/HttpExchange.h"
#include "runtime/io/IOException.h"
#include "runtime/io/OutputStream.h"

using namespace httptest;
using javax::microedition::io::HttpConnection;
using javax::microedition::io::HttpConnectionImpl;
using javax::microedition::io::HttpExchange;

namespace {

// A port nothing listens on: bound, then closed again.
int refusedPort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

class SilenceLimit {
public:
    explicit SilenceLimit(int64_t millis) { HttpExchange::setSilenceLimitMillis(millis); }
    ~SilenceLimit() { HttpExchange::setSilenceLimitMillis(0); }
};

TEST(HttpFailure, EveryFailedExchangeThrowsAndIsNotSentAgain) {
    TestHttpServer server;
    TestHttpServer secure(TestHttpServer::Scheme::HTTPS);
    unsetenv(HttpExchange::CA_FILE_VARIABLE);
    struct Case {
        const char* what;
        std::string url;
        std::function<void(HttpConnectionImpl&)> prepare;
        const char* path;  // the server's count for it afterwards, or null
        int sent;
    };
    const std::vector<Case> cases = {
        {"closed before", server.url("/echo"), [](HttpConnectionImpl& c) { c.close(); }, "/echo", 0},
        {"refused connection", "http://127.0.0.1:" + std::to_string(refusedPort()) + "/", nullptr, nullptr, 0},
        {"body over the cap", server.url("/big?n=" + std::to_string(HttpExchange::MAX_BODY_BYTES + 1)), nullptr, "/big", 1},
        {"unverified certificate", secure.url("/echo"), nullptr, nullptr, 0},
        {"redirect loop", server.url("/loop"), nullptr, "/loop", 1 + HttpExchange::MAX_REDIRECTS},
        {"URL outside ASCII", server.url("/echo?caf\\u00E9"), nullptr, "/echo", 0},
        {"length not the body's", server.url("/echo"),
         [](HttpConnectionImpl& c) {
             c.setRequestProperty(jstr("Content-Length"), jstr("5"));
             c.openOutputStream()->write(0x41);
         },
         "/echo", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto connection = java::lang::recastObj<HttpConnectionImpl>(
            javax::microedition::io::Connector::open(java::lang::jnew<java::lang::String>(c.url.c_str())));
        if (c.prepare) c.prepare(*connection);
        EXPECT_THROW(connection->getResponseCode(), java::io::IOException);
        EXPECT_THROW(connection->openInputStream(), java::io::IOException);
        EXPECT_THROW(connection->getHeaderField(jstr("Host")), java::io::IOException);
        if (c.path) EXPECT_EQ(hits(server, c.path), c.sent);
        EXPECT_EQ(text(connection->getURL()), text(java::lang::jnew<java::lang::String>(c.url.c_str())));
        connection->close();
    }
}

TEST(HttpFailure, SilenceEndsTheExchangeAndKeepsTheStatusLine) {
    TestHttpServer server;
    SilenceLimit limit(200);
    auto connection = openHttp(server.url("/stall?first=10"));
    EXPECT_THROW(connection->getResponseCode(), java::io::IOException);
    EXPECT_EQ(text(connection->statusLine()), "HTTP/1.1 200 OK");
    EXPECT_EQ(connection->state(), HttpConnectionImpl::STATE_NOT_SENT);
}

TEST(HttpFailure, SetUpIsRefusedAfterTheRequestWentOrWithUnsafeText) {
    TestHttpServer server;
    auto connection = openHttp(server.url("/echo"));
    struct Case {
        const char* key;
        const char* value;
    };
    const Case refused[] = {{"X-Evil", "a\r\nInjected: 1"}, {"X-Evil", "a\nb"}, {"Bad Name", "1"}, {"", "1"},
                            {"X:Colon", "1"}, {"X-Evil", "caf\\u00E9"}, {"X-Evil", "\\u0000"}};
    for (const Case& c : refused) {
        EXPECT_THROW(connection->setRequestProperty(jstr(c.key), java::lang::jnew<java::lang::String>(c.value)),
                     java::io::IOException)
            << c.key << c.value;
        EXPECT_EQ(connection->getRequestProperty(jstr(c.key)), nullptr);
    }
    connection->setRequestProperty(jstr("A"), jstr("1"));
    connection->setRequestProperty(jstr("A"), jstr("2\tTabbed"));
    EXPECT_EQ(text(connection->getRequestProperty(jstr("A"))), "2\tTabbed");

    for (const char* method : {"get", "PUT", "POST "}) EXPECT_THROW(connection->setRequestMethod(jstr(method)), java::io::IOException);
    EXPECT_EQ(text(connection->getRequestMethod()), "GET");
    connection->setRequestMethod(jstr("HEAD"));
    EXPECT_EQ(text(connection->getRequestMethod()), "HEAD");

    EXPECT_EQ(connection->getResponseCode(), 200);
    EXPECT_THROW(connection->setRequestProperty(jstr("B"), jstr("1")), java::io::IOException);
    EXPECT_THROW(connection->setRequestMethod(HttpConnection::GET), java::io::IOException);
    connection->close();
    connection->close();
    EXPECT_THROW(connection->getResponseCode(), java::io::IOException);
    EXPECT_EQ(connection->getHost()->view(), u"127.0.0.1");
    EXPECT_EQ(connection->state(), HttpConnectionImpl::STATE_CLOSED);
}

TEST(HttpFailure, CloseFromAnotherThreadEndsAWaitingExchangeAtOnce) {
    TestHttpServer server;
    // Long enough that only close can end the exchange before the test times out.
    SilenceLimit limit(3600 * 1000);
    for (int round = 0; round < 3; ++round) {
        const std::string name = "s" + std::to_string(round);
        auto connection = openHttp(server.url("/stall?first=100&name=" + name));
        std::atomic<bool> failed{false};
        std::thread getter([&] {
            try {
                connection->getResponseCode();
            } catch (java::io::IOException&) {
                failed = true;
            }
        });
        readAll(openHttp(server.url("/wait_sent?name=" + name))->openInputStream());
        connection->close();
        getter.join();
        EXPECT_TRUE(failed);
        EXPECT_THROW(connection->openInputStream(), java::io::IOException);
    }
}

TEST(HttpFailure, ClosesRacingRequestsLeaveNothingBehind) {
    TestHttpServer server;
    for (int round = 0; round < 20; ++round) {
        auto connection = openHttp(server.url("/bytes?n=2000&chunks=2"));
        std::thread getter([&] {
            try {
                java::lang::recastObj<java::io::InputStream>(connection->openInputStream())->read();
            } catch (java::io::IOException&) {
            }
        });
        for (int i = 0; i < round; ++i) std::this_thread::yield();
        connection->close();
        getter.join();
        EXPECT_EQ(connection->state(), HttpConnectionImpl::STATE_CLOSED);
    }
}

}  // namespace
