// HTTP and HTTPS exchanges against a local server: bodies, header fields both ways, request
// bodies, status lines, typed lookups and redirects.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "HttpTestSupport.h"
#include "TestHttpServer.h"
#include "runtime/connections/HttpExchange.h"
#include "runtime/io/ByteArrayOutputStream.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/DataOutputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/io/OutputStream.h"

using namespace httptest;
using javax::microedition::io::HttpConnection;
using javax::microedition::io::HttpConnectionImpl;
using java::lang::jnew;

namespace {

[[maybe_unused]] ::testing::Environment* const statics = ::testing::AddGlobalTestEnvironment(new HttpStatics);

JavaPtr<JArray<signed char>> bytesOf(const std::string& text) {
    auto bytes = jnew<JArray<signed char>>(static_cast<int32_t>(text.size()));
    std::copy(text.begin(), text.end(), bytes->data);
    return bytes;
}

// The field names the server saw, from /echo's reply: the request line, then "Name: value" lines.
std::multiset<std::string> namesSeen(const std::string& echo) {
    std::multiset<std::string> names;
    std::istringstream lines(echo.substr(0, echo.find("\n\n")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) names.insert(line.substr(0, line.find(':')));
    return names;
}

TEST(HttpExchange, BringsABodyThatArrivesInChunksWholeAndInOrder) {
    TestHttpServer server;
    for (const char* length : {"1", "0"}) {
        SCOPED_TRACE(length);
        auto connection = openHttp(server.url(std::string("/bytes?n=40000&chunks=4&length=") + length));
        EXPECT_EQ(connection->getResponseCode(), 200);
        EXPECT_EQ(readAll(connection->openInputStream()), pattern(40000));
        EXPECT_EQ(connection->getLength(), length[0] == '1' ? 40000 : -1);
    }
}

TEST(HttpExchange, HttpsIsVerifiedAgainstTheNamedAuthorities) {
    TestHttpServer server(TestHttpServer::Scheme::HTTPS);
    setenv(javax::microedition::io::HttpExchange::CA_FILE_VARIABLE, server.certificate().c_str(), 1);
    auto connection = openHttp(server.url("/bytes?n=5000"));
    EXPECT_EQ(connection->getResponseCode(), 200);
    EXPECT_EQ(readAll(connection->openInputStream()), pattern(5000));
    unsetenv(javax::microedition::io::HttpExchange::CA_FILE_VARIABLE);
}

TEST(HttpExchange, TheServerSeesTheCallersFieldsHostAndTheBodyLengthOnly) {
    TestHttpServer server;
    struct Case {
        std::vector<std::pair<std::string, std::string>> properties;
        const char* body;  // null: no output stream
        bool post;
        std::multiset<std::string> expected;
    };
    const std::vector<Case> cases = {
        {{}, nullptr, false, {"Host"}},
        {{{"A", "1"}, {"B", "2"}}, nullptr, false, {"Host", "A", "B"}},
        {{{"User-Agent", "wendrel"}, {"Empty", ""}}, nullptr, false, {"Host", "User-Agent", "Empty"}},
        {{}, "0123456789", true, {"Host", "Content-Length"}},
        {{{"Content-Type", "text/plain"}, {"Content-Length", "10"}}, "0123456789", true,
         {"Host", "Content-Type", "Content-Length"}},
        // An output stream that was never written sends no body.
        {{}, "", true, {"Host"}},
    };
    for (const Case& c : cases) {
        auto connection = openHttp(server.url("/echo"));
        for (const auto& [name, value] : c.properties) connection->setRequestProperty(jstr(name), jstr(value));
        if (c.post) connection->setRequestMethod(HttpConnection::POST);
        if (c.body) connection->openOutputStream()->write(bytesOf(c.body));
        const std::string echo = readAll(connection->openInputStream());
        EXPECT_EQ(namesSeen(echo), c.expected) << echo;
        if (c.body) EXPECT_EQ(echo.substr(echo.find("\n\n") + 2), c.body);
        connection->close();  // the output stream holds its connection until then
    }
}

TEST(HttpExchange, ABodyIsSentOnceAsItStoodWhenTheFirstGetterRan) {
    TestHttpServer server;
    auto connection = openHttp(server.url("/echo"));
    connection->setRequestMethod(HttpConnection::POST);
    JavaPtr<java::io::OutputStream> discarded = connection->openOutputStream();
    discarded->write(bytesOf("never sent"));
    JavaPtr<java::io::OutputStream> output = connection->openOutputStream();
    output->write(bytesOf("0123456789"));
    output->flush();
    EXPECT_EQ(java::lang::recastObj<java::io::ByteArrayOutputStream>(output)->size(), 10);

    EXPECT_EQ(connection->getResponseCode(), 200);
    EXPECT_EQ(java::lang::recastObj<java::io::ByteArrayOutputStream>(output)->size(), 0);
    output->write(bytesOf("late"));
    output->flush();
    EXPECT_EQ(text(connection->getHeaderField(jstr("content-length"))), std::to_string(readAll(connection->openInputStream()).size()));
    connection->getResponseMessage();
    EXPECT_EQ(hits(server, "/echo"), 1);

    auto again = openHttp(server.url("/echo"));
    again->setRequestMethod(HttpConnection::POST);
    again->openDataOutputStream()->writeInt(0x41424344);
    const std::string echo = readAll(again->openInputStream());
    EXPECT_EQ(echo.substr(echo.find("\n\n") + 2), "ABCD");
    connection->close();
    again->close();
}

TEST(HttpExchange, StatusLinesGiveCodeAndMessageAndAnErrorStillItsBody) {
    TestHttpServer server;
    struct Case {
        const char* line;
        int32_t code;
        const char* message;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK", 200, "OK"},
        {"HTTP/1.0 500 Internal Server Error", 500, "Internal Server Error"},
        {"HTTP/1.1 200", 200, "200"},
        {"HTTP/1.1 201 ", 201, ""},
        {"HTTP/1.1 404 Not Found", HttpConnection::HTTP_NOT_FOUND, "Not Found"},
        {"HTTP/1.1  200  OK", 200, "OK"},
        {"HTTP/1.1 \t200 OK", 200, "OK"},
        {"HTTP/1.1 \t404\t\tNot Found", 404, "Not Found"},
    };
    for (const Case& c : cases) {
        std::string query;
        for (const char unit : std::string_view(c.line)) query += unit == ' ' ? "+" : unit == '\t' ? "%09" : std::string(1, unit);
        auto connection = openHttp(server.url("/status?line=" + query));
        EXPECT_EQ(connection->getResponseCode(), c.code) << c.line;
        EXPECT_EQ(text(connection->getResponseMessage()), c.message) << c.line;
        EXPECT_EQ(text(connection->statusLine()), c.line);
        EXPECT_EQ(readAll(connection->openInputStream()), "ok") << c.line;
    }
}

TEST(HttpExchange, HeaderFieldsAreFoundByNameAndIndexWithTypedValues) {
    TestHttpServer server;
    auto connection = openHttp(server.url(
        "/headers?Content-Type=text/plain&X-Dup=first&X-Dup=second&X-Latin=caf%E9&X-Int=12&X-Minus=-1&X-Bad=99999999999"
        "&Date=Sun,+06+Nov+1994+08:49:37+GMT"));
    EXPECT_EQ(text(connection->getType()), "text/plain");
    EXPECT_EQ(text(connection->getHeaderField(jstr("CONTENT-TYPE"))), "text/plain");
    EXPECT_EQ(text(connection->getHeaderFieldKey(0)), "Content-Type");
    EXPECT_EQ(text(connection->getHeaderField(0)), "text/plain");
    EXPECT_EQ(text(connection->getHeaderField(jstr("x-dup"))), "first");
    EXPECT_EQ(text(connection->getHeaderField(2)), "second");
    EXPECT_EQ(connection->getHeaderField(jstr("X-Latin"))->charAt(3), u'\u00E9');
    EXPECT_EQ(connection->getHeaderField(-1), nullptr);
    EXPECT_EQ(connection->getHeaderFieldKey(9), nullptr);
    EXPECT_NE(connection->getHeaderFieldKey(8), nullptr);
    EXPECT_EQ(connection->getHeaderField(nullptr), nullptr);
    EXPECT_EQ(text(connection->getEncoding()), "<null>");

    const struct {
        const char* name;
        int32_t value;
    } ints[] = {{"X-Int", 12}, {"X-Minus", 7}, {"X-Bad", 7}, {"X-Missing", 7}};
    for (const auto& c : ints) EXPECT_EQ(connection->getHeaderFieldInt(jstr(c.name), 7), c.value) << c.name;

    EXPECT_EQ(connection->getDate(), 784111777000);
    EXPECT_EQ(connection->getHeaderFieldDate(jstr("X-Missing"), 9), 9);
    EXPECT_EQ(connection->getLength(), 0);
}

TEST(HttpExchange, RedirectsAreFollowedAndOnlyTheLastHeaderKept) {
    TestHttpServer server;
    auto connection = openHttp(server.url("/redirect?n=3"));
    EXPECT_EQ(connection->getResponseCode(), 200);
    EXPECT_EQ(connection->getHeaderField(jstr("Location")), nullptr);
    EXPECT_EQ(readAll(connection->openInputStream()), "arrived");
    EXPECT_EQ(text(connection->getURL()), server.url("/redirect?n=3"));
}

TEST(HttpExchange, OneStreamServesEveryCaller) {
    TestHttpServer server;
    auto connection = openHttp(server.url("/bytes?n=4"));
    JavaPtr<java::io::InputStream> first = connection->openInputStream();
    EXPECT_EQ(first->read(), static_cast<unsigned char>(pattern(4)[0]));
    EXPECT_EQ(readAll(connection->openDataInputStream()), pattern(4).substr(1));
    EXPECT_EQ(hits(server, "/bytes"), 1);
}

}  // namespace
