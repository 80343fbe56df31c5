#include "runtime/khronos/tests/RecordingGL.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace khronostest {

namespace {

enum FunctionIndex {
#define GL_FUNCTION(name) INDEX_##name,
#include "runtime/khronos/opengles/GLFunctions.inc"
#undef GL_FUNCTION
};

constexpr const char* NAMES[] = {
#define GL_FUNCTION(name) #name,
#include "runtime/khronos/opengles/GLFunctions.inc"
#undef GL_FUNCTION
};

template <class T>
uint64_t recorded(T value) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<uintptr_t>(value);
    else if constexpr (std::is_floating_point_v<T>)
        return std::bit_cast<uint32_t>(static_cast<float>(value));
    else
        return static_cast<uint64_t>(value);
}

// Generated names go 1, 2, ...; a boolean query answers true for every value it is asked for.
template <class... Arguments>
void answer(int index, Arguments... arguments) {
    const uint64_t values[] = {recorded(arguments)..., 0};
    const std::string name = NAMES[index];
    if (name.starts_with("glGen") && sizeof...(Arguments) == 2) {
        auto* names = reinterpret_cast<uint32_t*>(values[1]);
        for (uint64_t i = 0; i < values[0]; ++i) names[i] = static_cast<uint32_t>(i + 1);
    } else if (name == "glGetBooleanv") {
        *reinterpret_cast<unsigned char*>(values[1]) = 1;
    } else if (name == "glGetIntegerv" && values[0] == 0x0D05 /* GL_PACK_ALIGNMENT */) {
        *reinterpret_cast<int32_t*>(values[1]) = 4;
    }
}

template <class Function, int Index> struct Recorder;
template <class Result, class... Arguments, int Index>
struct Recorder<Result (*)(Arguments...), Index> {
    static Result call(Arguments... arguments) {
        recordedCalls().push_back({NAMES[Index], {recorded(arguments)...}});
        answer(Index, arguments...);
        return Result();
    }
};

const javax::microedition::khronos::opengles::GLFunctionTable& recordingTable() {
    static const auto table = [] {
        javax::microedition::khronos::opengles::GLFunctionTable t;
#define GL_FUNCTION(name) t.name = &Recorder<decltype(&::name), INDEX_##name>::call;
#include "runtime/khronos/opengles/GLFunctions.inc"
#undef GL_FUNCTION
        return t;
    }();
    return table;
}

bool noteStart() { return viewRequests().push_back("start"), true; }
bool noteWaitNative() { return viewRequests().push_back("waitNative"), true; }
bool noteWaitGL() { return viewRequests().push_back("waitGL"), true; }
void noteStop() { viewRequests().push_back("stop"); }
void noteDepth(int32_t depth) { viewRequests().push_back("setDepth " + std::to_string(depth)); }
bool alwaysOwned() { return true; }

const javax::microedition::khronos::ViewBridge recordingBridge{&noteStart, &noteWaitNative, &noteWaitGL,
                                                               &noteStop, &noteDepth, &alwaysOwned};

}  // namespace

std::vector<GLCall>& recordedCalls() {
    static std::vector<GLCall> calls;
    return calls;
}

int countCalls(const std::string& name) {
    int count = 0;
    for (const GLCall& call : recordedCalls()) count += call.name == name;
    return count;
}

const GLCall* lastCall(const std::string& name) {
    for (auto it = recordedCalls().rbegin(); it != recordedCalls().rend(); ++it)
        if (it->name == name) return &*it;
    return nullptr;
}

std::vector<std::string>& viewRequests() {
    static std::vector<std::string> requests;
    return requests;
}

RecordingGL::RecordingGL() {
    recordedCalls().clear();
    viewRequests().clear();
    javax::microedition::khronos::opengles::setGLFunctionsForTesting(&recordingTable());
    javax::microedition::khronos::setViewBridgeForTesting(&recordingBridge);
}

RecordingGL::~RecordingGL() {
    javax::microedition::khronos::setViewBridgeForTesting(nullptr);
    javax::microedition::khronos::opengles::setGLFunctionsForTesting(nullptr);
}

}  // namespace khronostest
