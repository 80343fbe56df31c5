// The one table through which the bindings call OpenGL ES: filled at first use from the library's
// own exports, the rest through eglGetProcAddress. Tests put a recording table in its place.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <GLES/gl.h>
#include <GLES/glext.h>

#include <atomic>
#include <string_view>

namespace javax::microedition::khronos::opengles {

struct GLFunctionTable {
#define GL_FUNCTION(name) decltype(&::name) name = nullptr;
#include "runtime/khronos/opengles/GLFunctions.inc"
#undef GL_FUNCTION
};

namespace detail {
extern std::atomic<const GLFunctionTable*> installedFunctions;
const GLFunctionTable& fillFunctions();
}  // namespace detail

// The table in use; filled on the first call, so the first call needs the context current.
inline const GLFunctionTable& glFunctions() {
    const GLFunctionTable* table = detail::installedFunctions.load(std::memory_order_acquire);
    return table ? *table : detail::fillFunctions();
}
// Replaces the table, for tests; null goes back to the driver's, filled at the next first use.
void setGLFunctionsForTesting(const GLFunctionTable* table);
// True when the current context's own extension string names the extension: eglGetProcAddress
// answers for any name, so a function found that way proves nothing.
bool contextHasExtension(std::string_view name);

}  // namespace javax::microedition::khronos::opengles
