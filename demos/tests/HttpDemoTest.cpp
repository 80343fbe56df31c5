// The http demonstration fetches from a local server in the whole program, headless, and logs
// the body's status, length and checksum as the server sent it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "demos/HttpMIDlet.h"
#include "host/tests/ProgramRun.h"
#include "runtime/connections/HttpExchange.h"
#include "runtime/connections/tests/TestHttpServer.h"

using httptest::TestHttpServer;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;

namespace {

std::string pattern(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return bytes;
}

std::string runDemo(const std::string& url) {
    TemporaryDirectory directory("http-demo-test");
    setenv(demo::HTTP_DEMO_URL_VARIABLE, url.c_str(), 1);
    RunningProgram program(LEXIVO_QUIZ_PATH,
                           {LEXIVO_QUIZ_PATH, "--midlet", "http", "--headless", "--capture", directory.path().string(),
                            "--documents", (directory.path() / "documents").string()},
                           directory.path() / "stderr.txt");
    const int status = program.wait();
    unsetenv(demo::HTTP_DEMO_URL_VARIABLE);
    EXPECT_EQ(status, 0) << program.output();
    return program.output();
}

TEST(HttpDemo, LogsTheBodyTheServerSentOverHttpAndHttps) {
    const std::string expected = "http: status 200 length 70000 checksum " + demo::httpBodyChecksum(pattern(70000));
    TestHttpServer plain;
    EXPECT_NE(runDemo(plain.url("/bytes?n=70000&chunks=5")).find(expected), std::string::npos);

    TestHttpServer secure(TestHttpServer::Scheme::HTTPS);
    setenv(javax::microedition::io::HttpExchange::CA_FILE_VARIABLE, secure.certificate().c_str(), 1);
    EXPECT_NE(runDemo(secure.url("/bytes?n=70000&chunks=5")).find(expected), std::string::npos);
    unsetenv(javax::microedition::io::HttpExchange::CA_FILE_VARIABLE);

    const std::string refused = runDemo(plain.url("/nowhere"));
    EXPECT_NE(refused.find("http: status 404 length 8 checksum " + demo::httpBodyChecksum("not here")), std::string::npos);
}

}  // namespace
