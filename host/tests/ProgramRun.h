// Runs the built program as a child process for the end-to-end tests, and reads its PNG captures.
#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace programtest {

// A fresh directory under the temporary directory, removed with the object.
class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& name);
    ~TemporaryDirectory();
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class RunningProgram {
public:
    // Starts the executable with the arguments (the first is the name it is invoked by); its
    // standard error goes to errorFile.
    RunningProgram(const std::string& executable, const std::vector<std::string>& arguments,
                   const std::filesystem::path& errorFile);
    ~RunningProgram();
    // Reads the standard output until a line contains the text; false when the output ends first.
    bool readUntil(const std::string& text);
    // Stops reading the output, as a reader that went away does: the program's next line raises SIGPIPE.
    void closeOutput();
    // Reads the rest of the output and answers the exit status (-1 when it did not exit normally).
    int wait();
    const std::string& output() const { return m_output; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_outputPipe = -1;
    std::string m_output;
    size_t m_searched = 0;
};

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    // 0xRRGGBB at the pixel; -1 outside.
    int32_t rgbAt(int32_t x, int32_t y) const;
};

// An empty picture when the file is missing or no PNG.
Picture loadPicture(const std::filesystem::path& file);

size_t countOccurrences(const std::string& text, const std::string& part);

struct DemoRun {
    int status = -1;
    std::string output, errors;
};

// Runs a demonstration MIDlet headless on a 320 x 480 device with the script, capturing into the
// directory, where the script stays as NAME.txt and the standard error as NAME-stderr.txt.
DemoRun runDemoScript(const std::string& executable, const TemporaryDirectory& directory, const std::string& midlet,
                      const std::string& name, const std::string& script);

// The four numbers of the last output line that starts with the prefix and a space; all -1 when none.
std::array<int32_t, 4> lastLoggedBox(const std::string& output, const std::string& prefix);

// Clicks the program's window, found by its process and title, at a point in window coordinates
// as a real mouse would: the X server moves the pointer there, presses and releases. True when
// xdotool could.
bool clickWindow(pid_t pid, const std::string& title, int32_t x, int32_t y);

// The program's leak check takes one suppression file: the one given joins whatever the test got,
// written together into combined.
void useSuppressionsToo(const std::string& suppressions, const std::filesystem::path& combined);

}  // namespace programtest
