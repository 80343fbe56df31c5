#include "platform/GLView.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES/gl.h>
#include <GLES/glext.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/FrontBuffer.h"
#include "platform/PlatformState.h"
#include "runtime/lcdui/PlatformBridge.h"

namespace platform {

namespace {

// The framebuffer-object entry points are an extension: libGLESv1_CM does not export them.
struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSOESPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFEROESPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSOESPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSOESPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFEROESPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSOESPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEOESPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFEROESPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSOESPROC checkFramebufferStatus = nullptr;
    PFNGLGETRENDERBUFFERPARAMETERIVOESPROC getRenderbufferParameter = nullptr;

    bool load() {
        genFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSOESPROC>(eglGetProcAddress("glGenFramebuffersOES"));
        bindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFEROESPROC>(eglGetProcAddress("glBindFramebufferOES"));
        deleteFramebuffers =
            reinterpret_cast<PFNGLDELETEFRAMEBUFFERSOESPROC>(eglGetProcAddress("glDeleteFramebuffersOES"));
        genRenderbuffers = reinterpret_cast<PFNGLGENRENDERBUFFERSOESPROC>(eglGetProcAddress("glGenRenderbuffersOES"));
        bindRenderbuffer = reinterpret_cast<PFNGLBINDRENDERBUFFEROESPROC>(eglGetProcAddress("glBindRenderbufferOES"));
        deleteRenderbuffers =
            reinterpret_cast<PFNGLDELETERENDERBUFFERSOESPROC>(eglGetProcAddress("glDeleteRenderbuffersOES"));
        renderbufferStorage =
            reinterpret_cast<PFNGLRENDERBUFFERSTORAGEOESPROC>(eglGetProcAddress("glRenderbufferStorageOES"));
        framebufferRenderbuffer =
            reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFEROESPROC>(eglGetProcAddress("glFramebufferRenderbufferOES"));
        checkFramebufferStatus =
            reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSOESPROC>(eglGetProcAddress("glCheckFramebufferStatusOES"));
        getRenderbufferParameter = reinterpret_cast<PFNGLGETRENDERBUFFERPARAMETERIVOESPROC>(
            eglGetProcAddress("glGetRenderbufferParameterivOES"));
        return genFramebuffers && bindFramebuffer && deleteFramebuffers && genRenderbuffers && bindRenderbuffer &&
               deleteRenderbuffers && renderbufferStorage && framebufferRenderbuffer && checkFramebufferStatus &&
               getRenderbufferParameter;
    }
};

// How long a thread waits for another to finish its frame before its own frame fails.
constexpr auto OWNER_WAIT = std::chrono::seconds(2);

// The view: one per process, taken by one painting thread at a time. The thread that takes the
// context owns it until it presents or stops; another thread waits for that meanwhile.
struct View {
    std::mutex lock;
    std::condition_variable released;
    std::atomic<std::thread::id> owner{};
    std::thread::id previousOwner;
    bool touchedByAnotherThread = false;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    std::atomic<uint64_t> contextSerial{0};
    FramebufferFunctions fbo;
    GLuint viewFramebuffer = 0;
    GLuint viewRenderbuffer = 0;
    GLuint depthRenderbuffer = 0;
    GLint backingWidth = 0;
    GLint backingHeight = 0;
    std::string error;
};

View& view() {
    static View* instance = new View;  // never destroyed: the painting thread may outlive static teardown
    return *instance;
}

// Remembers the failure and prints it once, so that a view failing every frame does not flood the log.
void report(View& v, const std::string& message) {
    if (message == v.error) return;
    v.error = message;
    std::fprintf(stderr, "GL view: %s\n", message.c_str());
    std::fflush(stderr);
}

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

bool createContext(View& v) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!clientExtensions || !std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        report(v, "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)");
        return false;
    }
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        report(v, "eglGetPlatformDisplayEXT is missing");
        return false;
    }
    // The platform is named, so a DISPLAY or EGL_PLATFORM in the environment cannot change it.
    v.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (v.display == EGL_NO_DISPLAY || !eglInitialize(v.display, &major, &minor)) {
        report(v, "eglInitialize failed on the surfaceless display: " + hex(eglGetError()));
        v.display = EGL_NO_DISPLAY;
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_ES_API)) {
        report(v, "eglBindAPI(EGL_OPENGL_ES_API) failed: " + hex(eglGetError()));
        return false;
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(v.display, configAttributes, &config, 1, &configs) || configs < 1) {
        report(v, "no EGL configuration renders OpenGL ES 1");
        return false;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 1, EGL_NONE};
    v.context = eglCreateContext(v.display, config, EGL_NO_CONTEXT, contextAttributes);
    if (v.context == EGL_NO_CONTEXT) {
        report(v, "eglCreateContext for OpenGL ES 1.1 failed: " + hex(eglGetError()));
        return false;
    }
    if (!eglMakeCurrent(v.display, EGL_NO_SURFACE, EGL_NO_SURFACE, v.context)) {
        report(v, "eglMakeCurrent without a surface failed: " + hex(eglGetError()));
        return false;
    }
    if (!v.fbo.load()) {
        report(v, "GL_OES_framebuffer_object is missing");
        return false;
    }
    v.contextSerial.fetch_add(1, std::memory_order_relaxed);
    return true;
}

void destroyFramebuffer(View& v) {
    if (v.viewFramebuffer) v.fbo.deleteFramebuffers(1, &v.viewFramebuffer);
    if (v.viewRenderbuffer) v.fbo.deleteRenderbuffers(1, &v.viewRenderbuffer);
    if (v.depthRenderbuffer) v.fbo.deleteRenderbuffers(1, &v.depthRenderbuffer);
    v.viewFramebuffer = v.viewRenderbuffer = v.depthRenderbuffer = 0;
    v.backingWidth = v.backingHeight = 0;
}

// An incomplete framebuffer is destroyed and reported: drawing into it would present nothing.
bool createFramebuffer(View& v, GLint width, GLint height) {
    v.fbo.genFramebuffers(1, &v.viewFramebuffer);
    v.fbo.bindFramebuffer(GL_FRAMEBUFFER_OES, v.viewFramebuffer);
    v.fbo.genRenderbuffers(1, &v.viewRenderbuffer);
    v.fbo.bindRenderbuffer(GL_RENDERBUFFER_OES, v.viewRenderbuffer);
    v.fbo.renderbufferStorage(GL_RENDERBUFFER_OES, GL_RGBA8_OES, width, height);
    v.fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_OES, GL_COLOR_ATTACHMENT0_OES, GL_RENDERBUFFER_OES,
                                  v.viewRenderbuffer);
    v.fbo.getRenderbufferParameter(GL_RENDERBUFFER_OES, GL_RENDERBUFFER_WIDTH_OES, &v.backingWidth);
    v.fbo.getRenderbufferParameter(GL_RENDERBUFFER_OES, GL_RENDERBUFFER_HEIGHT_OES, &v.backingHeight);
    v.fbo.genRenderbuffers(1, &v.depthRenderbuffer);
    v.fbo.bindRenderbuffer(GL_RENDERBUFFER_OES, v.depthRenderbuffer);
    v.fbo.renderbufferStorage(GL_RENDERBUFFER_OES, GL_DEPTH_COMPONENT16_OES, v.backingWidth, v.backingHeight);
    v.fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_OES, GL_DEPTH_ATTACHMENT_OES, GL_RENDERBUFFER_OES,
                                  v.depthRenderbuffer);
    const GLenum status = v.fbo.checkFramebufferStatus(GL_FRAMEBUFFER_OES);
    if (status == GL_FRAMEBUFFER_COMPLETE_OES && v.backingWidth == width && v.backingHeight == height) return true;
    report(v, "framebuffer of " + std::to_string(width) + " x " + std::to_string(height) + " is incomplete (status " +
                  hex(status) + ", GL error " + hex(glGetError()) + ")");
    destroyFramebuffer(v);
    return false;
}

void releaseContext(View& v) {
    if (v.display != EGL_NO_DISPLAY) eglMakeCurrent(v.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    v.owner.store(std::thread::id(), std::memory_order_release);
    v.released.notify_all();
}

bool ownedHere(const View& v) { return v.owner.load(std::memory_order_acquire) == std::this_thread::get_id(); }

// Waits, within the bound, until no other thread owns the view, then owns it. The wait sleeps on
// the condition; a failure is reported once until a frame succeeds again.
bool takeOwnership(View& v, std::unique_lock<std::mutex>& held) {
    if (ownedHere(v)) return true;
    const bool free = v.released.wait_for(held, OWNER_WAIT, [&] {
        return v.owner.load(std::memory_order_acquire) == std::thread::id();
    });
    if (!free) {
        report(v, "the GL context cannot be taken: another thread still holds it");
        return false;
    }
    v.owner.store(std::this_thread::get_id(), std::memory_order_release);
    v.touchedByAnotherThread = v.previousOwner != std::thread::id() && v.previousOwner != std::this_thread::get_id();
    v.previousOwner = std::this_thread::get_id();
    return true;
}

void teardown(View& v) {
    if (v.context != EGL_NO_CONTEXT &&
        eglMakeCurrent(v.display, EGL_NO_SURFACE, EGL_NO_SURFACE, v.context))
        destroyFramebuffer(v);
    releaseContext(v);
    if (v.context != EGL_NO_CONTEXT) eglDestroyContext(v.display, v.context);
    // The display stays initialised: terminating it unloads the driver, whose remaining allocations
    // could then no longer be told apart from ours by the leak checker.
    eglReleaseThread();
    v.context = EGL_NO_CONTEXT;
    v.viewFramebuffer = v.viewRenderbuffer = v.depthRenderbuffer = 0;
    v.backingWidth = v.backingHeight = 0;
}

// Context current here and a complete framebuffer of the output size bound; the view is built on
// first use and its framebuffer again whenever the output size changed.
bool waitNative(View& v, std::unique_lock<std::mutex>& held) {
    if (!takeOwnership(v, held)) return false;
    if (v.context == EGL_NO_CONTEXT) {
        if (!createContext(v)) {
            teardown(v);
            releaseContext(v);
            return false;
        }
    } else if (!eglMakeCurrent(v.display, EGL_NO_SURFACE, EGL_NO_SURFACE, v.context)) {
        report(v, "the GL context cannot be made current on this thread (" + hex(eglGetError()) + ")");
        releaseContext(v);
        return false;
    }
    const GLint width = outputWidth.load(std::memory_order_relaxed);
    const GLint height = outputHeight.load(std::memory_order_relaxed);
    const bool resized = sizeChangedResetGLView.exchange(false);
    if (!v.viewFramebuffer || resized || width != v.backingWidth || height != v.backingHeight) {
        destroyFramebuffer(v);
        if (!createFramebuffer(v, width, height)) {
            releaseContext(v);
            return false;
        }
    }
    v.fbo.bindFramebuffer(GL_FRAMEBUFFER_OES, v.viewFramebuffer);
    v.error.clear();
    glViewState.store(1, std::memory_order_relaxed);
    return true;
}

}  // namespace

std::string glViewError() {
    View& v = view();
    std::lock_guard guard(v.lock);
    return v.error;
}

void glViewShutdown() {
    View& v = view();
    std::unique_lock held(v.lock);
    takeOwnership(v, held);
    teardown(v);
    releaseContext(v);
    glViewState.store(0, std::memory_order_relaxed);
}

}  // namespace platform

using platform::View;

bool EGLstart() { return EGLWaitNative(); }

bool EGLWaitNative() {
    View& v = platform::view();
    std::unique_lock held(v.lock);
    return platform::waitNative(v, held);
}

bool EGLcontextOwnedHere() { return platform::ownedHere(platform::view()); }

uint64_t EGLcontextSerial() { return platform::view().contextSerial.load(std::memory_order_relaxed); }

bool EGLviewTouchedByAnotherThread() {
    View& v = platform::view();
    std::lock_guard guard(v.lock);
    return platform::ownedHere(v) && v.touchedByAnotherThread;
}

void EGLReleaseUnpresented() {
    View& v = platform::view();
    std::lock_guard guard(v.lock);
    if (v.context == EGL_NO_CONTEXT || eglGetCurrentContext() != v.context) return;
    platform::releaseContext(v);
    platform::glViewState.store(0, std::memory_order_relaxed);
}

bool EGLWaitGL() {
    View& v = platform::view();
    std::lock_guard guard(v.lock);
    if (!platform::ownedHere(v) || v.context == EGL_NO_CONTEXT || eglGetCurrentContext() != v.context ||
        !v.viewFramebuffer) {
        platform::report(v, "a frame was presented without the GL context taken on this thread");
        return false;
    }
    // Only the OpenGL view shows frames on this path; there is no view to swap in on the UI thread.
    platform::in2dmode.store(0, std::memory_order_relaxed);
    const int32_t width = v.backingWidth, height = v.backingHeight;
    // Read straight into the buffer that is presented; its first reader turns it upright.
    std::shared_ptr<platform::Frame> frame = platform::frameToFill(width, height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame->pixels.data());
    const GLenum error = glGetError();
    platform::releaseContext(v);
    platform::glViewState.store(0, std::memory_order_relaxed);
    if (error != GL_NO_ERROR) {
        platform::report(v, "reading the frame back failed: GL error " + platform::hex(error));
        return false;
    }
    frame->readBackFromGL = true;
    platform::presentFrame(std::move(frame));
    return true;
}

void EGLstop() {
    View& v = platform::view();
    std::unique_lock held(v.lock);
    if (!platform::takeOwnership(v, held)) return;
    if (v.context != EGL_NO_CONTEXT && eglMakeCurrent(v.display, EGL_NO_SURFACE, EGL_NO_SURFACE, v.context))
        platform::destroyFramebuffer(v);
    platform::releaseContext(v);
    platform::glViewState.store(0, std::memory_order_relaxed);
    platform::in2dmode.store(1, std::memory_order_relaxed);
}

void setGLBufferDepth(int32_t depth) {
    View& v = platform::view();
    std::lock_guard guard(v.lock);
    if (!platform::ownedHere(v) || v.context == EGL_NO_CONTEXT || eglGetCurrentContext() != v.context ||
        !v.viewFramebuffer) {
        platform::report(v, "setGLBufferDepth needs the view's framebuffer and the context current");
        return;
    }
    if (v.depthRenderbuffer) v.fbo.deleteRenderbuffers(1, &v.depthRenderbuffer);
    v.fbo.genRenderbuffers(1, &v.depthRenderbuffer);
    v.fbo.bindRenderbuffer(GL_RENDERBUFFER_OES, v.depthRenderbuffer);
    v.fbo.renderbufferStorage(GL_RENDERBUFFER_OES, depth == 16 ? GL_DEPTH_COMPONENT16_OES : GL_DEPTH_COMPONENT24_OES,
                              v.backingWidth, v.backingHeight);
    v.fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_OES, GL_DEPTH_ATTACHMENT_OES, GL_RENDERBUFFER_OES,
                                  v.depthRenderbuffer);
    v.fbo.bindRenderbuffer(GL_RENDERBUFFER_OES, v.viewRenderbuffer);
    const GLenum status = v.fbo.checkFramebufferStatus(GL_FRAMEBUFFER_OES);
    if (status != GL_FRAMEBUFFER_COMPLETE_OES)
        platform::report(v, "framebuffer incomplete after a depth buffer of " + std::to_string(depth) + " bits");
}
