// A listening socket on a free port of 127.0.0.1, for peers the tests play: the kernel completes
// each connection, and nothing is read or written unless the test accepts it.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace hosttest {

class LoopbackListener {
public:
    LoopbackListener() {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        sockaddr* const name = reinterpret_cast<sockaddr*>(&address);
        socklen_t length = sizeof address;
        if (::bind(m_socket, name, length) != 0 || ::listen(m_socket, 64) != 0 ||
            ::getsockname(m_socket, name, &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        m_port = std::to_string(ntohs(address.sin_port));
    }
    ~LoopbackListener() { ::close(m_socket); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;
    const std::string& port() const { return m_port; }
    int accept() const { return ::accept(m_socket, nullptr, nullptr); }

private:
    int m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string m_port;
};

}  // namespace hosttest
