// The headless host's script: one command per line, "#" starts a comment line. Parsing checks
// every line before anything runs; a bad line is an error naming its line number.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/LocationManager.h"
#include "host/SMSComposer.h"

struct ScriptCommand {
    enum class Kind {
        Wait, WaitFrames, Down, Move, Up, Tap, Pause, Resume, Terminate, Accel, Location, SmsResult,
        Capture, ExpectLog, End, AudioInterruption
    };
    Kind kind = Kind::End;
    int32_t line = 0;
    int64_t millis = 0;       // wait; the hold of tap; the timeout of wait_frames; accel's "for"
    int64_t count = 0;        // wait_frames; audio_interruption: 1 begins, 0 ends
    double x = 0, y = 0, z = 0;  // points for touches, g for accel
    LocationFix fix;
    SMSComposer::Answer answer = SMSComposer::Answer::Unavailable;
    std::string text;         // capture's file, expect_log's text
};

// A line that cannot run: the message starts with "line N: ".
class ScriptError : public std::runtime_error {
public:
    ScriptError(int32_t line, const std::string& message);
    int32_t line() const { return m_line; }

private:
    int32_t m_line;
};

class Script {
public:
    // How long tap holds the finger down when the line gives no time: long enough for a main loop
    // that reads input once per 33 ms update to see the press.
    static constexpr int64_t DEFAULT_TAP_HOLD_MS = 100;
    static constexpr int64_t MAX_MILLIS = 3'600'000;
    // The interval of the accelerometer's samples.
    static constexpr int64_t ACCEL_INTERVAL_MS = 20;

    // Far more than any script needs; a larger file is refused rather than read.
    static constexpr size_t MAX_FILE_BYTES = size_t{1} << 20;

    // Touch coordinates must lie on the screen of the given size in points. A leading UTF-8 byte
    // order mark is skipped. ScriptError for the first bad line.
    static std::vector<ScriptCommand> parse(std::string_view text, double screenWidth, double screenHeight);
    // The text of a script file: std::runtime_error with the reason when the path is no regular
    // file, cannot be read or is larger than MAX_FILE_BYTES.
    static std::string load(const std::string& path);
};
