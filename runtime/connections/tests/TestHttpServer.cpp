#include "TestHttpServer.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace httptest {

TestHttpServer::TestHttpServer(Scheme scheme) : m_scheme(scheme == Scheme::HTTPS ? "https" : "http") {
    std::vector<std::string> arguments = {"python3", HTTP_TEST_SERVER_SCRIPT};
    if (scheme == Scheme::HTTPS) {
        std::string pattern = (std::filesystem::temp_directory_path() / "http-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
        m_directory = pattern;
        arguments.push_back("--tls");
        arguments.push_back(m_directory.string());
    }
    int toServer[2];
    int fromServer[2];
    if (pipe(toServer) != 0 || pipe(fromServer) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toServer[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromServer[1], 1);
    posix_spawn_file_actions_addclose(&actions, toServer[1]);
    posix_spawn_file_actions_addclose(&actions, fromServer[0]);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&m_pid, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toServer[0]);
    close(fromServer[1]);
    m_input = toServer[1];
    if (spawned != 0) throw std::runtime_error("cannot start python3");
    FILE* output = fdopen(fromServer[0], "r");
    if (!output || std::fscanf(output, "%d", &m_port) != 1) throw std::runtime_error("the test server did not start");
    std::fclose(output);
}

TestHttpServer::~TestHttpServer() {
    // The server exits when its input closes.
    if (m_input >= 0) close(m_input);
    if (m_pid > 0) waitpid(m_pid, nullptr, 0);
    if (!m_directory.empty()) std::filesystem::remove_all(m_directory);
}

std::string TestHttpServer::url(const std::string& path) const {
    return m_scheme + "://127.0.0.1:" + std::to_string(m_port) + path;
}

}  // namespace httptest
