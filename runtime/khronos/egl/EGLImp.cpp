#include "runtime/khronos/egl/EGLImp.h"

#include <mutex>

#include "runtime/khronos/ViewBridge.h"
#include "runtime/khronos/egl/jEGLConfig.h"
#include "runtime/khronos/egl/jEGLContext.h"
#include "runtime/khronos/egl/jEGLDisplay.h"
#include "runtime/khronos/egl/jEGLSurface.h"
#include "runtime/khronos/opengles/GLImp.h"
#include "runtime/text/String.h"

namespace javax::microedition::khronos::egl {

namespace {

// The one display, the one context and the last failure, shared by every EGL object; the GL
// thread and the launcher may reach them at once, so they sit behind a lock.
struct EGLState {
    std::mutex lock;
    JavaPtr<jEGLDisplay> loneDisplay;
    JavaPtr<jEGLContext> loneContext;
    int32_t latestError = jEGL10::jEGL_SUCCESS;
};

EGLState& state() {
    static EGLState* shared = new EGLState;  // outlives the statics: a GL thread may still call in
    return *shared;
}

void fail(int32_t error) {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    s.latestError = error;
}

// False, with BAD_DISPLAY recorded, unless display is the one display (null only while there is none).
bool displayIsOurs(const JavaPtr<jEGLDisplay>& display) {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    if (display == s.loneDisplay) return true;
    s.latestError = jEGL10::jEGL_BAD_DISPLAY;
    return false;
}

bool isLoneContext(const JavaPtr<jEGLContext>& context) {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    return context == s.loneContext;
}

bool hasElements(const JavaPtr<JArray<int>>& array, int32_t count) { return array && array->length >= count; }

}  // namespace

JavaPtr<java::lang::Object> jEGL10::jEGL_DEFAULT_DISPLAY;
JavaPtr<jEGLContext> jEGL10::jEGL_NO_CONTEXT;
JavaPtr<jEGLDisplay> jEGL10::jEGL_NO_DISPLAY;
JavaPtr<jEGLSurface> jEGL10::jEGL_NO_SURFACE;

void jEGL10::jEGL10_staticInit() {
    jEGL_DEFAULT_DISPLAY = nullptr;
    jEGL_NO_CONTEXT = java::lang::jnew<jEGLContext>();
    jEGL_NO_DISPLAY = java::lang::jnew<jEGLDisplay>();
    jEGL_NO_SURFACE = java::lang::jnew<jEGLSurface>();
}

void jEGL10::jEGL10_staticDestroy() {
    jEGL_DEFAULT_DISPLAY = nullptr;
    jEGL_NO_CONTEXT = nullptr;
    jEGL_NO_DISPLAY = nullptr;
    jEGL_NO_SURFACE = nullptr;
    EGLState& s = state();
    JavaPtr<jEGLDisplay> display;
    JavaPtr<jEGLContext> context;
    std::lock_guard guard(s.lock);
    display = std::move(s.loneDisplay);
    context = std::move(s.loneContext);
    s.latestError = jEGL_SUCCESS;
}

JavaPtr<opengles::GL> jEGLContext::getGL() { return java::lang::jnew<opengles::GLImp>(); }
JavaPtr<jEGL> jEGLContext::getEGL() { return java::lang::jnew<EGLImp>(); }
JavaPtr<opengles::GL> EGLImp::getGL() { return java::lang::jnew<opengles::GLImp>(); }

bool EGLImp::jeglChooseConfig(Display display, Ints attrib_list, JavaPtr<JArray<jEGLConfig>> configs,
                              int32_t config_size, Ints num_config) {
    if (!displayIsOurs(display)) return false;
    if (!attrib_list) {
        fail(jEGL_BAD_PARAMETER);
        return false;
    }
    auto config = java::lang::jnew<jEGLConfig>();
    bool matches = true;
    const int32_t length = attrib_list->length;
    for (int32_t key = 0; key < length && attrib_list->data[key] != jEGL_NONE; key += 2) {
        if (key + 1 >= length) {  // a key without its value
            fail(jEGL_BAD_PARAMETER);
            return false;
        }
        const int32_t value = attrib_list->data[key + 1];
        if (attrib_list->data[key] == jEGL_SURFACE_TYPE && value != jEGL_WINDOW_BIT) matches = false;
        if (attrib_list->data[key] == jEGL_DEPTH_SIZE) {
            config->depthSize = value;
            if (value != 16 && value != 24) matches = false;
        }
    }
    if (hasElements(num_config, 1)) num_config->data[0] = matches ? 1 : 0;
    if (matches && configs && configs->length > 0) configs->data[0] = config;
    return true;
}

bool EGLImp::jeglCopyBuffers(Display, Surface, Native) { return false; }

JavaPtr<jEGLContext> EGLImp::jeglCreateContext(Display display, Config config, Context share_context,
                                               Ints attrib_list) {
    const bool allNull = !display && !config && !share_context && !attrib_list;
    if (!allNull) {
        if (!displayIsOurs(display)) return nullptr;
        if (!share_context) {
            fail(jEGL_BAD_PARAMETER);
            return nullptr;
        }
    }
    auto context = java::lang::jnew<jEGLContext>();
    EGLState& s = state();
    JavaPtr<jEGLContext> previous;  // released outside the lock
    std::lock_guard guard(s.lock);
    previous = std::move(s.loneContext);
    s.loneContext = context;
    return context;
}

JavaPtr<jEGLSurface> EGLImp::jeglCreatePbufferSurface(Display, Config, Ints) { return jEGL_NO_SURFACE; }

JavaPtr<jEGLSurface> EGLImp::jeglCreatePixmapSurface(Display, Config, Native, Ints) { return nullptr; }

JavaPtr<jEGLSurface> EGLImp::jeglCreateWindowSurface(Display, Config config, Native, Ints) {
    // The depth buffer is replaced on the view's framebuffer, which exists once the view is started.
    const ViewBridge& bridge = viewBridge();
    bridge.start();
    if (config) bridge.setDepth(config->depthSize);
    return nullptr;
}

bool EGLImp::jeglDestroyContext(Display display, Context context) {
    if (!displayIsOurs(display)) return false;
    EGLState& s = state();
    JavaPtr<jEGLContext> dropped;
    std::lock_guard guard(s.lock);
    if (context == s.loneContext) {
        dropped = std::move(s.loneContext);
        return true;
    }
    s.latestError = jEGL_BAD_CONTEXT;
    return false;
}

bool EGLImp::jeglDestroySurface(Display, Surface) {
    viewBridge().stop();
    return false;
}

bool EGLImp::jeglGetConfigAttrib(Display display, Config config, int32_t attribute, Ints value) {
    if (!displayIsOurs(display)) return false;
    int32_t answer = 0;
    switch (attribute) {
        case jEGL_BUFFER_SIZE: answer = 24; break;
        case jEGL_ALPHA_SIZE: answer = 0; break;
        case jEGL_BLUE_SIZE:
        case jEGL_GREEN_SIZE:
        case jEGL_RED_SIZE: answer = 8; break;
        case jEGL_DEPTH_SIZE:
            if (!config) {
                fail(jEGL_BAD_PARAMETER);
                return false;
            }
            answer = config->depthSize;
            break;
        case jEGL_SAMPLES:
        case jEGL_SAMPLE_BUFFERS: answer = 1; break;
        case jEGL_SURFACE_TYPE: answer = jEGL_WINDOW_BIT; break;
        default: return false;
    }
    if (!hasElements(value, 1)) {
        fail(jEGL_BAD_PARAMETER);
        return false;
    }
    value->data[0] = answer;
    return true;
}

bool EGLImp::jeglGetConfigs(Display display, JavaPtr<JArray<jEGLConfig>> configs, int32_t config_size,
                            Ints num_config) {
    if (!displayIsOurs(display)) return false;
    if (!hasElements(num_config, 1) || (config_size > 0 && (!configs || configs->length < 1))) {
        fail(jEGL_BAD_PARAMETER);
        return false;
    }
    num_config->data[0] = 1;
    if (config_size > 0) {
        auto config = java::lang::jnew<jEGLConfig>();
        config->depthSize = 16;
        configs->data[0] = config;
    }
    return true;
}

JavaPtr<jEGLContext> EGLImp::jeglGetCurrentContext() {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    return s.loneContext;
}

JavaPtr<jEGLDisplay> EGLImp::jeglGetCurrentDisplay() {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    return s.loneDisplay;
}

JavaPtr<jEGLSurface> EGLImp::jeglGetCurrentSurface(int32_t) { return nullptr; }

JavaPtr<jEGLDisplay> EGLImp::jeglGetDisplay(Native native_display) {
    if (native_display != jEGL_DEFAULT_DISPLAY) return nullptr;
    auto display = java::lang::jnew<jEGLDisplay>();
    EGLState& s = state();
    JavaPtr<jEGLDisplay> previous;
    std::lock_guard guard(s.lock);
    previous = std::move(s.loneDisplay);
    s.loneDisplay = display;
    return display;
}

int32_t EGLImp::jeglGetError() {
    EGLState& s = state();
    std::lock_guard guard(s.lock);
    const int32_t error = s.latestError;
    s.latestError = jEGL_SUCCESS;
    return error;
}

bool EGLImp::jeglInitialize(Display display, Ints major_minor) {
    if (!displayIsOurs(display)) return false;
    if (!major_minor) return true;
    if (major_minor->length < 2) {
        fail(jEGL_BAD_PARAMETER);
        return false;
    }
    major_minor->data[0] = 1;
    major_minor->data[1] = 0;
    return true;
}

bool EGLImp::jeglMakeCurrent(Display display, Surface, Surface, Context context) {
    if (!displayIsOurs(display)) return false;
    if (isLoneContext(context)) return true;
    fail(jEGL_BAD_CONTEXT);
    return false;
}

bool EGLImp::jeglQueryContext(Display display, Context context, int32_t, Ints) {
    if (!displayIsOurs(display)) return false;
    if (!isLoneContext(context)) fail(jEGL_BAD_CONTEXT);
    return false;
}

JavaPtr<java::lang::String> EGLImp::jeglQueryString(Display display, int32_t) {
    displayIsOurs(display);
    return nullptr;
}

bool EGLImp::jeglQuerySurface(Display display, Surface, int32_t, Ints) {
    displayIsOurs(display);
    return false;
}

bool EGLImp::jeglSwapBuffers(Display, Surface) { return false; }

bool EGLImp::jeglTerminate(Display) { return true; }

bool EGLImp::jeglWaitGL() {
    viewBridge().waitGL();
    return false;
}

bool EGLImp::jeglWaitNative(int32_t, Native) {
    viewBridge().waitNative();
    return false;
}

}  // namespace javax::microedition::khronos::egl
