// The whole program against peers that accept a connection and never answer: a sound server that
// would hold the audio device's opening, and an HTTP server that holds an exchange past terminate.
// Neither may freeze the program, delay its exit, or see its statics destroyed beneath a thread.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/tests/ProgramRun.h"

namespace {

using programtest::countOccurrences;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;
using Clock = std::chrono::steady_clock;

constexpr const char* STATICS_LEFT = "the process ends without tearing down its statics";

// A listening socket on 127.0.0.1: the kernel completes each connection, nobody ever reads or writes.
class SilentListener {
public:
    SilentListener() {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(m_socket, 64) != 0 ||
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        m_port = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(m_socket); }
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RunningProgram start(const TemporaryDirectory& directory, const std::vector<std::string>& options, const std::string& script) {
    std::ofstream(directory.path() / "script.txt") << script;
    std::vector<std::string> arguments = {LEXIVO_QUIZ_PATH, "--headless", "--script",
                                          (directory.path() / "script.txt").string(), "--documents",
                                          (directory.path() / "documents").string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunningProgram(LEXIVO_QUIZ_PATH, arguments, directory.path() / "stderr.txt");
}

TEST(StuckPeers, ASoundServerThatNeverAnswersNeitherHoldsTheQuizNorItsExit) {
    SilentListener soundServer;
    TemporaryDirectory directory("stuck-sound-server-test");
    // The audio library's PulseAudio back end is the one that reads PULSE_SERVER.
    setenv("ALSOFT_DRIVERS", "pulse", 1);
    setenv("PULSE_SERVER", ("tcp:127.0.0.1:" + std::to_string(soundServer.port())).c_str(), 1);
    RunningProgram program = start(directory, {}, "expect_log quiz: screen 1: main menu\nterminate\n");
    const bool menuShown = program.readUntil("quiz: screen 1: main menu");
    const Clock::time_point menuAt = Clock::now();
    const int status = program.wait();
    const auto exitAfter = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - menuAt);
    unsetenv("ALSOFT_DRIVERS");
    unsetenv("PULSE_SERVER");
    const std::string errors = readFile(directory.path() / "stderr.txt");
    EXPECT_TRUE(menuShown) << program.output() << errors;
    EXPECT_EQ(status, 0) << errors;
    EXPECT_EQ(countOccurrences(errors, "the audio output device did not open within"), 1u) << errors;
    // Terminate follows the menu at once; the exit once took the sound server's 28 s time-out.
    EXPECT_LT(exitAfter.count(), 5000);
}

TEST(StuckPeers, AnHttpExchangeInFlightAtTerminateEndsTheProcessWithoutItsStaticDestructors) {
    SilentListener httpServer;
    TemporaryDirectory directory("stuck-http-server-test");
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("LEXIVO_DEMO_HTTP_URL", ("http://127.0.0.1:" + std::to_string(httpServer.port()) + "/").c_str(), 1);
    RunningProgram program = start(directory, {"--midlet", "http"}, "wait_frames 1 10000\nterminate\n");
    const int status = program.wait();
    unsetenv("ALSOFT_DRIVERS");
    unsetenv("LEXIVO_DEMO_HTTP_URL");
    const std::string errors = readFile(directory.path() / "stderr.txt");
    EXPECT_EQ(status, 0) << errors;
    EXPECT_NE(errors.find("teardown: 1 application thread(s) still running"), std::string::npos) << errors;
    EXPECT_EQ(countOccurrences(errors, STATICS_LEFT), 1u) << errors;
    EXPECT_EQ(program.output().find("http: done"), std::string::npos) << program.output();
}

}  // namespace
