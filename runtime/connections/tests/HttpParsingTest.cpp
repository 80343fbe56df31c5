// What an HTTP connection reads from text: URL parts, response header lines, dates, and the
// silence rule, without any network.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "runtime/connections/HttpBodyBuffer.h"
#include "runtime/connections/HttpDate.h"
#include "runtime/connections/HttpResponseHeader.h"
#include "runtime/connections/HttpUrl.h"
#include "runtime/connections/SilenceWatch.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace javax::microedition::io;
using java::lang::jnew;
using java::lang::String;

namespace {

std::string text(const JavaPtr<String>& value) { return value ? std::string(value->val()) : "<null>"; }

JavaPtr<String> str(const char* value) { return jnew<String>(value); }

TEST(HttpUrl, SplitsEveryPartAsTheGettersAnswerThem) {
    struct Case {
        const char* url;
        const char* protocol, *user, *password, *host;
        int32_t port;
        const char* path, *file, *params, *query, *ref;
    };
    const Case cases[] = {
        {"http://h:8080/a/b/c.txt;v=1?x=1&y=2#top", "http", "<null>", "<null>", "h", 8080, "a/b", "c.txt", "v=1", "x=1&y=2", "top"},
        {"https://h", "https", "<null>", "<null>", "h", 443, "<null>", "<null>", "<null>", "<null>", "<null>"},
        {"http://h/", "http", "<null>", "<null>", "h", 80, "<null>", "<null>", "<null>", "<null>", "<null>"},
        {"http://h/index.html", "http", "<null>", "<null>", "h", 80, "index.html", "<null>", "<null>", "<null>", "<null>"},
        {"https://h:8443/x", "https", "<null>", "<null>", "h", 8443, "x", "<null>", "<null>", "<null>", "<null>"},
        {"http://u@h/x", "http", "u", "<null>", "h", 80, "x", "<null>", "<null>", "<null>", "<null>"},
        {"http://u:@h:81/x", "http", "u", "", "h", 81, "x", "<null>", "<null>", "<null>", "<null>"},
        {"http://u:p:q@h/x", "http", "u", "p:q", "h", 80, "x", "<null>", "<null>", "<null>", "<null>"},
        {"http://h/a?b?c", "http", "<null>", "<null>", "h", 80, "a?b", "<null>", "<null>", "c", "<null>"},
        {"http://h/d/f#r1#r2", "http", "<null>", "<null>", "h", 80, "d", "f#r1", "<null>", "<null>", "r2"},
        {"http://h?q=1", "http", "<null>", "<null>", "h?q=1", 80, "<null>", "<null>", "<null>", "<null>", "<null>"},
        {"http:", "http", "<null>", "<null>", "", 80, "<null>", "<null>", "<null>", "<null>", "<null>"},
        {"http://[::1]:8080/x", "http", "<null>", "<null>", "[::1]", 8080, "x", "<null>", "<null>", "<null>", "<null>"},
        {"https://u@[fe80::1:2]/x", "https", "u", "<null>", "[fe80::1:2]", 443, "x", "<null>", "<null>", "<null>", "<null>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const HttpUrlParts parts = parseHttpUrl(str(c.url));
        EXPECT_EQ(text(parts.protocol), c.protocol);
        EXPECT_EQ(text(parts.user), c.user);
        EXPECT_EQ(text(parts.password), c.password);
        EXPECT_EQ(text(parts.host), c.host);
        EXPECT_EQ(parts.port, c.port);
        EXPECT_EQ(text(parts.path), c.path);
        EXPECT_EQ(text(parts.file), c.file);
        EXPECT_EQ(text(parts.params), c.params);
        EXPECT_EQ(text(parts.query), c.query);
        EXPECT_EQ(text(parts.ref), c.ref);
    }
    EXPECT_EQ(parseHttpUrl(str("http://h:x80/")).port, 0);
    EXPECT_THROW(parseHttpUrl(str("http://h:99999999999/")), java::lang::NumberFormatException);
}

TEST(HttpResponseHeader, KeepsTheLastResponsesLinesInArrivalOrder) {
    HttpResponseHeader header;
    for (const char* line : {"HTTP/1.1 302 Found\r\n", "Location: /next\r\n", "\r\n", "HTTP/1.1 100 Continue\r\n", "\r\n",
                             "HTTP/1.1 200 OK\r\n", "Set-Cookie: a=1\r\n", "set-cookie:b=2  \r\n", "X-Folded: one\r\n",
                             " two\r\n", "no colon here\r\n", "X-Latin: caf\xE9\r\n", "X-Cut: a\rInjected: 1\r\n", "\r\n"})
        ASSERT_TRUE(header.addLine(line));
    EXPECT_EQ(header.statusLine(), "HTTP/1.1 200 OK");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Set-Cookie", "a=1"}, {"set-cookie", "b=2"}, {"X-Folded", "one two"}, {"X-Latin", "caf\xE9"}, {"X-Cut", "a"}};
    EXPECT_EQ(header.fields(), expected);
}

TEST(HttpResponseHeader, RefusesAHeaderBeyondItsCap) {
    HttpResponseHeader header;
    ASSERT_TRUE(header.addLine("HTTP/1.1 200 OK\r\n"));
    const std::string line = "X-Long: " + std::string(1024 * 1024, 'a') + "\r\n";
    bool accepted = true;
    for (int i = 0; i < 17 && accepted; ++i) accepted = header.addLine(line);
    EXPECT_FALSE(accepted);
}

TEST(HttpDate, ReadsTheThreeFormsInGmtWholeSeconds) {
    // Far from GMT: the machine's zone must not move an HTTP date.
    const char* savedZone = std::getenv("TZ");
    const std::string restore = savedZone ? savedZone : "";
    setenv("TZ", "Pacific/Kiritimati", 1);
    tzset();
    constexpr int64_t DEFAULT = -5;
    struct Case {
        const char* value;
        int64_t millis;
    };
    const Case cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777000},
        {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777000},
        {"Sun Nov  6 08:49:37 1994", 784111777000},
        {"Wednesday, 06-Nov-69 00:00:00 GMT", 3150921600000},
        {"Friday, 06-Nov-70 00:00:00 GMT", 26697600000},
        {"sun, 06 nov 1994 08:49:37 GMT", 784111777000},
        {"Sun, 06 Foo 1994 08:49:37 GMT", DEFAULT},
        {"Sun, 06 Nov 1994 08:49 GMT", DEFAULT},
        {"Sun,06 Nov 1994 08:49:37 GMT", DEFAULT},
        {"nonsense", DEFAULT},
        {"", DEFAULT},
    };
    for (const Case& c : cases) EXPECT_EQ(parseHttpDate(str(c.value), DEFAULT), c.millis) << c.value;
    EXPECT_EQ(parseHttpDate(nullptr, DEFAULT), DEFAULT);
    if (savedZone) setenv("TZ", restore.c_str(), 1); else unsetenv("TZ");
    tzset();
}

TEST(SilenceWatch, ABodyThatKeepsComingNeverRunsOutButSilenceDoes) {
    constexpr int64_t LIMIT = 10000;
    SilenceWatch watch(LIMIT, 1000);
    for (int64_t chunk = 1; chunk <= 20; ++chunk) {
        const int64_t now = 1000 + chunk * LIMIT * 9 / 10;
        ASSERT_GT(watch.remaining(now), 0) << chunk;
        watch.bodyArrived(now);
    }
    const int64_t last = 1000 + 20 * LIMIT * 9 / 10;
    EXPECT_EQ(watch.remaining(last + LIMIT - 1), 1);
    EXPECT_EQ(watch.remaining(last + LIMIT), 0);
    EXPECT_EQ(watch.remaining(last + 3 * LIMIT), 0);
}

TEST(HttpBodyBuffer, KeepsEveryByteInOrderWhateverLengthWasAnnounced) {
    struct Case {
        int64_t announced;
        std::vector<std::string> chunks;
    };
    const Case cases[] = {{6, {"abc", "def"}}, {4, {"abc", "def"}}, {9, {"abc", "def"}}, {-1, {"abc", "def"}}, {100, {"abcdef"}}};
    for (const Case& c : cases) {
        HttpBodyBuffer body(16);
        body.announce(c.announced);
        std::string expected;
        for (const std::string& chunk : c.chunks) {
            ASSERT_TRUE(body.append(chunk.data(), chunk.size()));
            expected += chunk;
        }
        JavaPtr<JArray<signed char>> bytes = body.takeArray();
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data), static_cast<size_t>(bytes->length)), expected)
            << c.announced;
    }
    HttpBodyBuffer capped(4);
    EXPECT_TRUE(capped.append("abcd", 4));
    EXPECT_FALSE(capped.append("e", 1));
    EXPECT_EQ(capped.takeArray()->length, 4);
}

}  // namespace
