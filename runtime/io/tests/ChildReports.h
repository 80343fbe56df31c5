// What a forked child that is killed at some moment reports through a pipe, read by the kill tests.
#pragma once

#include <unistd.h>

#include <string>

// Reads until the text has arrived (with whatever came in the same reads), or the pipe ends.
inline std::string readPipeUntil(int fd, const std::string& text) {
    std::string read;
    char buffer[4096];
    for (ssize_t n; read.find(text) == std::string::npos && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        read.append(buffer, static_cast<size_t>(n));
    return read;
}

// Reads to the end of the pipe.
inline std::string readPipe(int fd) {
    std::string read;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) read.append(buffer, static_cast<size_t>(n));
    return read;
}
