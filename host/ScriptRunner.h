// Runs the headless host's script on the UI thread: touches, lifecycle events, sensor samples and
// captures go through the delegate, and every wait keeps the UI thread's work queue running.
#pragma once

#include <string>
#include <vector>

#include "host/Script.h"
#include "host/UiPump.h"
#include "host/xyzApp.h"

class ScriptRunner {
public:
    // How long expect_log waits for its text: long enough for a slow start on a busy machine.
    static constexpr std::chrono::milliseconds EXPECT_LOG_BOUND{60000};

    // Relative capture files are written under the capture directory.
    ScriptRunner(xyzApp& app, UiPump& pump, std::string captureDirectory);

    // Runs the commands in order until the end; a command that fails throws ScriptError with its
    // line (a frame that never came, a capture that cannot be written, a text never logged). A
    // termination the script did not ask for (the window closed, the display lost) ends the
    // current wait at once and skips the rest; after its own terminate the script goes on.
    void run(const std::vector<ScriptCommand>& commands);

private:
    void execute(const ScriptCommand& command);
    void waitFor(std::chrono::milliseconds duration);
    void sampleAccelerometer(const ScriptCommand& command);
    void capture(const ScriptCommand& command);
    bool endedFromOutside() const;
    // Runs the UI thread until done holds, the deadline passes or the application is ended from outside.
    bool pumpUntil(UiPump::Clock::time_point deadline, const std::function<bool()>& done);

    xyzApp& m_app;
    UiPump& m_pump;
    std::string m_captureDirectory;
    bool m_askedToTerminate = false;
};
