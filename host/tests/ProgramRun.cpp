#include "host/tests/ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <png.h>

extern char** environ;

namespace programtest {

TemporaryDirectory::TemporaryDirectory(const std::string& name)
    : m_path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : m_name(name) {
    if (const char* given = std::getenv(name)) m_kept = given;
    value ? setenv(name, value, 1) : unsetenv(name);
}

ScopedVariable::~ScopedVariable() { m_kept ? setenv(m_name, m_kept->c_str(), 1) : unsetenv(m_name); }

RunningProgram::RunningProgram(const std::string& executable, const std::vector<std::string>& arguments,
                               const std::filesystem::path& errorFile, Output output) {
    int ends[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == Output::Terminal) {
        ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (ends[0] < 0 || ::grantpt(ends[0]) != 0 || ::unlockpt(ends[0]) != 0) throw std::runtime_error("terminal");
        m_terminal = ::ptsname(ends[0]);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, m_terminal.c_str(), O_RDWR | O_NOCTTY, 0);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    } else if (output == Output::Pipe) {
        if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    }
    if (output == Output::BothClosed) posix_spawn_file_actions_addclose(&actions, STDERR_FILENO);
    else if (output != Output::Terminal)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failed = ::posix_spawn(&m_pid, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (ends[1] >= 0) ::close(ends[1]);
    if (failed != 0) {
        if (ends[0] >= 0) ::close(ends[0]);
        throw std::runtime_error("cannot start " + executable);
    }
    m_outputPipe = ends[0];
}

RunningProgram::~RunningProgram() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
    if (m_outputPipe >= 0) ::close(m_outputPipe);
}

bool RunningProgram::readUntil(const std::string& text) {
    for (;;) {
        if (m_output.find(text, m_searched) != std::string::npos) {
            m_searched = m_output.find(text, m_searched) + text.size();
            return true;
        }
        char chunk[4096];
        const ssize_t got = m_outputPipe >= 0 ? ::read(m_outputPipe, chunk, sizeof chunk) : 0;
        if (got <= 0) return false;
        m_output.append(chunk, static_cast<size_t>(got));
    }
}

void RunningProgram::closeOutput() {
    if (m_outputPipe >= 0) ::close(m_outputPipe);
    m_outputPipe = -1;
}

void RunningProgram::holdOutput() {
    // A second writing end of the same pipe, through the reading end's name.
    const std::string reader = "/proc/self/fd/" + std::to_string(m_outputPipe);
    const int filler = ::open(reader.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const std::string block(4096, 'x');
    while (filler >= 0 && ::write(filler, block.data(), block.size()) > 0) {
    }
    if (filler >= 0) ::close(filler);
    m_outputHeld = true;
}

void RunningProgram::stopTerminal() {
    const int terminal = ::open(m_terminal.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) return;
    ::tcflow(terminal, TCOOFF);
    // Closed again: the test must not keep the terminal open once the program has ended.
    ::close(terminal);
}

int RunningProgram::wait() {
    while (readUntil("\x01never written\x01")) {
    }
    return exitStatus();
}

bool RunningProgram::readAvailable() {
    char chunk[4096];
    const ssize_t got = ::read(m_outputPipe, chunk, sizeof chunk);
    // A terminal whose program has gone answers EIO.
    if (got <= 0) return false;
    m_output.append(chunk, static_cast<size_t>(got));
    return true;
}

int RunningProgram::waitWithin(std::chrono::seconds bound) {
    const int process = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
    const auto deadline = std::chrono::steady_clock::now() + bound;
    bool reading = m_outputPipe >= 0 && !m_outputHeld;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (process < 0 || left.count() <= 0) {
            ::kill(m_pid, SIGKILL);
            break;
        }
        pollfd ends[2] = {{process, POLLIN, 0}, {reading ? m_outputPipe : -1, POLLIN, 0}};
        if (::poll(ends, 2, static_cast<int>(left.count())) < 0) {
            if (errno == EINTR) continue;
            ::kill(m_pid, SIGKILL);
            break;
        }
        if (ends[1].revents != 0) reading = readAvailable();
        if (ends[0].revents != 0) break;
    }
    if (process >= 0) ::close(process);
    while (reading && readAvailable()) {
    }
    // Killed, it did not exit normally: -1.
    return exitStatus();
}

int RunningProgram::exitStatus() {
    int status = 0;
    if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid) {
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    m_pid = -1;
    return -1;
}

bool waitForChange(const std::filesystem::path& watched, const std::function<bool()>& done,
                   std::chrono::seconds bound) {
    const int changes = ::inotify_init1(IN_CLOEXEC);
    if (changes < 0) return false;
    ::inotify_add_watch(changes, watched.c_str(), IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_MOVED_TO);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    bool met = done();
    while (!met) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd change{changes, POLLIN, 0};
        if (::poll(&change, 1, static_cast<int>(left.count())) > 0) {
            char events[4096];
            [[maybe_unused]] const ssize_t ignored = ::read(changes, events, sizeof events);
        }
        met = done();
    }
    ::close(changes);
    return met;
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t Picture::rgbAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    const uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
    return static_cast<int32_t>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

Picture loadPicture(const std::filesystem::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return Picture{};
    // RGBA in memory: the pixel word with red in its low byte.
    image.format = PNG_FORMAT_RGBA;
    Picture picture;
    picture.width = static_cast<int32_t>(image.width);
    picture.height = static_cast<int32_t>(image.height);
    picture.pixels.resize(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return Picture{};
    }
    return picture;
}

size_t countOccurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

DemoRun runDemoScript(const std::string& executable, const TemporaryDirectory& directory, const std::string& midlet,
                      const std::string& name, const std::string& script, const std::string& device) {
    const auto scriptFile = directory.path() / (name + ".txt");
    std::ofstream(scriptFile) << script;
    RunningProgram program(executable,
                           {executable, "--headless", "--midlet", midlet, "--device", device, "--script",
                            scriptFile.string(), "--capture", directory.path().string(), "--documents",
                            (directory.path() / "documents").string()},
                           directory.path() / (name + "-stderr.txt"));
    const int status = program.wait();
    return {status, program.output(), readText(directory.path() / (name + "-stderr.txt"))};
}

std::array<int32_t, 4> lastLoggedBox(const std::string& output, const std::string& prefix) {
    const std::string start = prefix + " ";
    std::array<int32_t, 4> box{-1, -1, -1, -1};
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0) std::sscanf(line.c_str() + start.size(), "%d,%d,%d,%d", &box[0], &box[1], &box[2], &box[3]);
    return box;
}

bool clickWindow(pid_t pid, const std::string& title, int32_t x, int32_t y) {
    // By process too: other tests' windows may share the display. Without a window manager the
    // activation fails harmlessly.
    const std::string window = "xdotool search --all --sync --pid " + std::to_string(pid) + " --name '" + title + "' ";
    const std::string command = window + "windowactivate --sync %1 2>/dev/null; " + window + "mousemove --window %1 --sync " +
                                std::to_string(x) + " " + std::to_string(y) + " click 1";
    return std::system(command.c_str()) == 0;
}

void useSuppressionsToo(const std::string& suppressions, const std::filesystem::path& combined) {
    const char* options = std::getenv("LSAN_OPTIONS");
    const std::string given = options ? options : "";
    const std::string key = "suppressions=";
    std::string all = readText(suppressions);
    if (const size_t at = given.find(key); at != std::string::npos)
        all += readText(given.substr(at + key.size(), given.find(':', at) - at - key.size()));
    std::ofstream(combined) << all;
    ::setenv("LSAN_OPTIONS", (key + combined.string()).c_str(), 1);
}

}  // namespace programtest
