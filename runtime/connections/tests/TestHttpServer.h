// Starts the fixture server (fixtures/http_server.py) on 127.0.0.1 and a free port for one test,
// and stops it when destroyed.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace httptest {

class TestHttpServer {
public:
    enum class Scheme { HTTP, HTTPS };
    // HTTPS makes a self-signed certificate for 127.0.0.1 in a temporary directory.
    explicit TestHttpServer(Scheme scheme = Scheme::HTTP);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    // The scheme, host and port followed by the path, e.g. "http://127.0.0.1:4711/echo".
    std::string url(const std::string& path) const;
    // The certificate an HTTPS server presents, to trust it.
    std::filesystem::path certificate() const { return m_directory / "cert.pem"; }

private:
    pid_t m_pid = -1;
    int m_input = -1;
    int m_port = 0;
    std::string m_scheme;
    std::filesystem::path m_directory;
};

}  // namespace httptest
