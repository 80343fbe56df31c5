// The program's command line.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>

struct ProgramOptions {
    bool headless = false;
    bool help = false;
    std::string scriptFile;         // empty: the window, or the built-in script headless
    std::string captureDirectory;   // empty: a new temporary directory
    std::string bundleDirectory;    // empty: the executable's directory
    std::string documentsDirectory; // empty: the XDG data directory
    std::string device;             // empty: the default device
    std::string midlet;             // empty: the default MIDlet; "list" lists the demonstrations
    std::string gpsdHost = "localhost";  // where the window's location fixes come from
    std::string gpsdPort = "2947";
    int zoom = 1;

    static constexpr int MAX_ZOOM = 8;

    // std::invalid_argument naming the bad option.
    static ProgramOptions parse(std::span<const char* const> arguments);
    static std::string usage();
};

// The directory of the running executable, from /proc/self/exe: never from how it was invoked.
std::string executableDirectory();
// $XDG_DATA_HOME/lexivo-quiz, or ~/.local/share/lexivo-quiz; std::runtime_error when neither
// variable gives an absolute home.
std::string defaultDocumentsDirectory(const char* xdgDataHome, const char* home);
