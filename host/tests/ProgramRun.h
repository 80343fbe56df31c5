// Runs the built program as a child process for the end-to-end tests, and reads its PNG captures.
#pragma once

#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
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

// Sets an environment variable (or unsets it, for null) for the object's life.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();

private:
    const char* m_name;
    std::optional<std::string> m_kept;
};

// Where a started program's standard output goes: a pipe the test reads; nowhere, the program
// started with it closed (its standard error too, for BothClosed); or a terminal whose other side
// the test reads, standard error included.
enum class Output { Pipe, Closed, BothClosed, Terminal };

class RunningProgram {
public:
    // Starts the executable with the arguments (the first is the name it is invoked by); its
    // standard error goes to errorFile unless the output says otherwise.
    RunningProgram(const std::string& executable, const std::vector<std::string>& arguments,
                   const std::filesystem::path& errorFile, Output output = Output::Pipe);
    ~RunningProgram();
    // Reads the standard output until a line contains the text; false when the output ends first.
    bool readUntil(const std::string& text);
    // Stops reading the output, as a reader that went away does: the program's next line raises SIGPIPE.
    void closeOutput();
    // Fills the output pipe and reads no more, as a reader that stopped reading: the program's
    // writes wait once its own buffers are full.
    void holdOutput();
    // Stops the terminal's output, as Ctrl-S does: the program's next write to it waits.
    void stopTerminal();
    // Reads the rest of the output and answers the exit status (-1 when it did not exit normally).
    int wait();
    // As wait, but the program is killed once the bound has passed (-1 then): for a program that
    // may never end.
    int waitWithin(std::chrono::seconds bound);
    const std::string& output() const { return m_output; }
    pid_t pid() const { return m_pid; }

private:
    // Appends what can be read now; false once the output has ended.
    bool readAvailable();
    int exitStatus();

    pid_t m_pid = -1;
    int m_outputPipe = -1;
    bool m_outputHeld = false;
    std::string m_terminal;
    std::string m_output;
    size_t m_searched = 0;
};

// Waits, within the bound, until done answers true; it is asked again each time the file or
// directory watched changes. False when the bound passed first.
bool waitForChange(const std::filesystem::path& watched, const std::function<bool()>& done,
                   std::chrono::seconds bound);
std::string readText(const std::filesystem::path& file);

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

// Runs a demonstration MIDlet headless on a device (a 320 x 480 one unless named) with the script,
// capturing into the directory, where the script stays as NAME.txt and the standard error as
// NAME-stderr.txt.
DemoRun runDemoScript(const std::string& executable, const TemporaryDirectory& directory, const std::string& midlet,
                      const std::string& name, const std::string& script, const std::string& device = "iPhone2,1");

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
