#include "runtime/khronos/opengles/GLFunctions.h"

#include <EGL/egl.h>
#include <dlfcn.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace javax::microedition::khronos::opengles {

std::atomic<const GLFunctionTable*> detail::installedFunctions{nullptr};

namespace {

std::atomic<const GLFunctionTable*>& installed = detail::installedFunctions;
std::once_flag driverFilled;
GLFunctionTable driver;

// Stands in for a function whose extension the context does not offer: GL would not have it either.
template <class Function> struct Missing;
template <class Result, class... Arguments>
struct Missing<Result (*)(Arguments...)> {
    static Result call(Arguments...) { return Result(); }
};

// The extension an entry point belongs to; null for the core functions.
const char* extensionOf(std::string_view name) {
    if (!name.ends_with("OES")) return nullptr;
    if (name.starts_with("glDrawTex")) return "GL_OES_draw_texture";
    if (name == "glPointSizePointerOES") return "GL_OES_point_size_array";
    return "GL_OES_framebuffer_object";
}

template <class Function>
void resolve(void* library, const char* name, Function& slot) {
    void* found = library ? dlsym(library, name) : nullptr;
    if (!found && extensionOf(name) && contextHasExtension(extensionOf(name)))
        found = reinterpret_cast<void*>(eglGetProcAddress(name));
    slot = found ? reinterpret_cast<Function>(found) : &Missing<Function>::call;
}

void fillFromDriver() {
    // The library stays loaded for the life of the process, as the view's own link keeps it.
    void* library = dlopen("libGLESv1_CM.so.1", RTLD_NOW | RTLD_LOCAL);
    // The extension check itself needs glGetString.
    resolve(library, "glGetString", driver.glGetString);
#define GL_FUNCTION(name) resolve(library, #name, driver.name);
#include "runtime/khronos/opengles/GLFunctions.inc"
#undef GL_FUNCTION
}

}  // namespace

const GLFunctionTable& detail::fillFunctions() {
    std::call_once(driverFilled, fillFromDriver);
    const GLFunctionTable* expected = nullptr;
    installed.compare_exchange_strong(expected, &driver, std::memory_order_acq_rel);
    return *installed.load(std::memory_order_acquire);
}

void setGLFunctionsForTesting(const GLFunctionTable* table) { installed.store(table, std::memory_order_release); }

bool contextHasExtension(std::string_view name) {
    const GLFunctionTable* table = installed.load(std::memory_order_acquire);
    auto getString = table ? table->glGetString : driver.glGetString;
    if (!getString) return false;
    const auto* text = reinterpret_cast<const char*>(getString(GL_EXTENSIONS));
    if (!text) return false;
    std::string_view all(text);
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find(' ', at);
        if (end == std::string_view::npos) end = all.size();
        if (all.substr(at, end - at) == name) return true;
        at = end + 1;
    }
    return false;
}

}  // namespace javax::microedition::khronos::opengles
