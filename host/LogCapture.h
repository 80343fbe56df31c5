// Passes the process's standard output through a pipe, so that a script can wait for text the
// program has written; everything still reaches the original output.
#pragma once

#include <chrono>
#include <string_view>

class LogCapture {
public:
    // Starts capturing; false (with nothing changed) when the pipe cannot be made.
    static bool start();
    // Whether the text has appeared in the output since start; safe on any thread.
    static bool contains(std::string_view text);
    // Restores the original output once everything written has passed through.
    static void stop();
    // For a process about to end at once: what has been written reaches the original output,
    // waiting no longer than the bound; false when some of it did not (nobody reads the output).
    // Capturing is over. Safe on any thread, while stop runs too.
    static bool passOnWithin(std::chrono::milliseconds bound);
};
