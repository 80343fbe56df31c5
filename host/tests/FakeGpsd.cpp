#include "host/tests/FakeGpsd.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace gpsdtest {

std::string nmeaLog() {
    const auto sentence = [](const std::string& body) {
        unsigned sum = 0;
        for (const char c : body) sum ^= static_cast<unsigned char>(c);
        char tail[8];
        std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
        return "$" + body + tail;
    };
    std::string log;
    for (int second = 0; second < 5; ++second) {
        const std::string time = "12000" + std::to_string(second) + ".00";
        if (second < 3) {
            log += sentence("GPGSA,A,3,01,02,03,04,05,06,07,08,,,,,1.5,0.9,1.2");
            log += sentence("GPGGA," + time + ",5130.0000,N,00007.5000,W,1,08,0.9,35.0,M,47.0,M,,");
            log += sentence("GPRMC," + time + ",A,5130.0000,N,00007.5000,W,0.0,0.0,070126,,,A");
        } else {
            log += sentence("GPGSA,A,2,01,02,03,,,,,,,,,,2.5,2.0,1.5");
            log += sentence("GPGGA," + time + ",4851.0000,N,00221.0000,E,1,03,2.0,,M,,M,,");
            log += sentence("GPRMC," + time + ",A,4851.0000,N,00221.0000,E,0.0,0.0,070126,,,A");
        }
    }
    return log;
}

std::string freePort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return std::to_string(ntohs(address.sin_port));
}

bool accepts(const std::string& port) {
    const int client = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(std::stoi(port)));
    const bool connected = ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(client);
    return connected;
}

FakeGpsd::FakeGpsd(const std::filesystem::path& log, const std::string& port, const char* cycle) {
    m_pid = ::fork();
    if (m_pid == 0) {
        ::setsid();
        ::execlp("gpsfake", "gpsfake", "-q", "-c", cycle, "-P", port.c_str(), log.c_str(), nullptr);
        ::_exit(127);
    }
}

FakeGpsd::~FakeGpsd() {
    if (m_pid <= 0) return;
    // The whole group: gpsfake and the gpsd it started.
    ::kill(-m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
}

}  // namespace gpsdtest
