// A GL function table that records each call (name and arguments) instead of drawing, and a view
// bridge that records what EGL asks of the view; both installed for the life of the fixture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/khronos/ViewBridge.h"
#include "runtime/khronos/opengles/GLFunctions.h"

namespace khronostest {

struct GLCall {
    std::string name;
    std::vector<uint64_t> arguments;  // integers as they are, floats by their bits, pointers by address
};

std::vector<GLCall>& recordedCalls();
// Calls of the GL function by that name.
int countCalls(const std::string& name);
const GLCall* lastCall(const std::string& name);

// The names the view bridge was asked for, in order ("start", "waitNative", "setDepth 24", ...).
std::vector<std::string>& viewRequests();

class RecordingGL {
public:
    RecordingGL();
    ~RecordingGL();
};

}  // namespace khronostest
