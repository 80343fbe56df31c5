// EGL 1.0 as MIDlets call it, emulated over the platform's one GL view.
#pragma once

#include <cstdint>

#include "runtime/khronos/egl/jEGL.h"
#include "runtime/lang/JArray.h"

namespace java::lang {
class Object;
class String;
}  // namespace java::lang

namespace javax::microedition::khronos::egl {

class jEGLConfig;
class jEGLContext;
class jEGLDisplay;
class jEGLSurface;

class jEGL10 : public virtual jEGL {
    JAVA_CLASS(jEGL10, "javax.microedition.khronos.egl.jEGL10", jEGL)
public:
    using Display = JavaPtr<jEGLDisplay>;
    using Config = JavaPtr<jEGLConfig>;
    using Context = JavaPtr<jEGLContext>;
    using Surface = JavaPtr<jEGLSurface>;
    using Native = JavaPtr<java::lang::Object>;
    using Ints = JavaPtr<JArray<int>>;

    virtual bool jeglChooseConfig(Display display, Ints attrib_list, JavaPtr<JArray<jEGLConfig>> configs,
                                  int32_t config_size, Ints num_config) = 0;
    virtual bool jeglCopyBuffers(Display display, Surface surface, Native native_pixmap) = 0;
    virtual Context jeglCreateContext(Display display, Config config, Context share_context, Ints attrib_list) = 0;
    virtual Surface jeglCreatePbufferSurface(Display display, Config config, Ints attrib_list) = 0;
    virtual Surface jeglCreatePixmapSurface(Display display, Config config, Native native_pixmap, Ints attrib_list) = 0;
    virtual Surface jeglCreateWindowSurface(Display display, Config config, Native native_window, Ints attrib_list) = 0;
    virtual bool jeglDestroyContext(Display display, Context context) = 0;
    virtual bool jeglDestroySurface(Display display, Surface surface) = 0;
    virtual bool jeglGetConfigAttrib(Display display, Config config, int32_t attribute, Ints value) = 0;
    virtual bool jeglGetConfigs(Display display, JavaPtr<JArray<jEGLConfig>> configs, int32_t config_size,
                                Ints num_config) = 0;
    virtual Context jeglGetCurrentContext() = 0;
    virtual Display jeglGetCurrentDisplay() = 0;
    virtual Surface jeglGetCurrentSurface(int32_t readdraw) = 0;
    virtual Display jeglGetDisplay(Native native_display) = 0;
    virtual int32_t jeglGetError() = 0;
    virtual bool jeglInitialize(Display display, Ints major_minor) = 0;
    virtual bool jeglMakeCurrent(Display display, Surface draw, Surface read, Context context) = 0;
    virtual bool jeglQueryContext(Display display, Context context, int32_t attribute, Ints value) = 0;
    virtual JavaPtr<java::lang::String> jeglQueryString(Display display, int32_t name) = 0;
    virtual bool jeglQuerySurface(Display display, Surface surface, int32_t attribute, Ints value) = 0;
    virtual bool jeglSwapBuffers(Display display, Surface surface) = 0;
    virtual bool jeglTerminate(Display display) = 0;
    virtual bool jeglWaitGL() = 0;
    virtual bool jeglWaitNative(int32_t engine, Native bindTarget) = 0;

    static constexpr int32_t jEGL_ALPHA_SIZE = 0x3021;
    static constexpr int32_t jEGL_BAD_ACCESS = 0x3002;
    static constexpr int32_t jEGL_BAD_ALLOC = 0x3003;
    static constexpr int32_t jEGL_BAD_ATTRIBUTE = 0x3004;
    static constexpr int32_t jEGL_BAD_CONFIG = 0x3005;
    static constexpr int32_t jEGL_BAD_CONTEXT = 0x3006;
    static constexpr int32_t jEGL_BAD_CURRENT_SURFACE = 0x3007;
    static constexpr int32_t jEGL_BAD_DISPLAY = 0x3008;
    static constexpr int32_t jEGL_BAD_MATCH = 0x3009;
    static constexpr int32_t jEGL_BAD_NATIVE_PIXMAP = 0x300A;
    static constexpr int32_t jEGL_BAD_NATIVE_WINDOW = 0x300B;
    static constexpr int32_t jEGL_BAD_PARAMETER = 0x300C;
    static constexpr int32_t jEGL_BAD_SURFACE = 0x300D;
    static constexpr int32_t jEGL_BLUE_SIZE = 0x3022;
    static constexpr int32_t jEGL_BUFFER_SIZE = 0x3020;
    static constexpr int32_t jEGL_CONFIG_CAVEAT = 0x3027;
    static constexpr int32_t jEGL_CONFIG_ID = 0x3028;
    static constexpr int32_t jEGL_CORE_NATIVE_ENGINE = 0x305B;
    static constexpr int32_t jEGL_DEPTH_SIZE = 0x3025;
    static constexpr int32_t jEGL_DONT_CARE = -1;
    static constexpr int32_t jEGL_DRAW = 0x3059;
    static constexpr int32_t jEGL_EXTENSIONS = 0x3055;
    static constexpr int32_t jEGL_FALSE = 0;
    static constexpr int32_t jEGL_GREEN_SIZE = 0x3023;
    static constexpr int32_t jEGL_HEIGHT = 0x3056;
    static constexpr int32_t jEGL_LARGEST_PBUFFER = 0x3058;
    static constexpr int32_t jEGL_LEVEL = 0x3029;
    static constexpr int32_t jEGL_MAX_PBUFFER_HEIGHT = 0x302A;
    static constexpr int32_t jEGL_MAX_PBUFFER_PIXELS = 0x302B;
    static constexpr int32_t jEGL_MAX_PBUFFER_WIDTH = 0x302C;
    static constexpr int32_t jEGL_NATIVE_RENDERABLE = 0x302D;
    static constexpr int32_t jEGL_NATIVE_VISUAL_ID = 0x302E;
    static constexpr int32_t jEGL_NATIVE_VISUAL_TYPE = 0x302F;
    static constexpr int32_t jEGL_NON_CONFORMANT_CONFIG = 0x3051;
    static constexpr int32_t jEGL_NONE = 0x3038;
    static constexpr int32_t jEGL_NOT_INITIALIZED = 0x3001;
    static constexpr int32_t jEGL_PBUFFER_BIT = 0x0001;
    static constexpr int32_t jEGL_PIXMAP_BIT = 0x0002;
    static constexpr int32_t jEGL_PRESERVED_RESOURCES = 0x3030;
    static constexpr int32_t jEGL_READ = 0x305A;
    static constexpr int32_t jEGL_RED_SIZE = 0x3024;
    static constexpr int32_t jEGL_SAMPLE_BUFFERS = 0x3032;
    static constexpr int32_t jEGL_SAMPLES = 0x3031;
    static constexpr int32_t jEGL_SLOW_CONFIG = 0x3050;
    static constexpr int32_t jEGL_STENCIL_SIZE = 0x3026;
    static constexpr int32_t jEGL_SUCCESS = 0x3000;
    static constexpr int32_t jEGL_SURFACE_TYPE = 0x3033;
    static constexpr int32_t jEGL_TRANSPARENT_BLUE_VALUE = 0x3035;
    static constexpr int32_t jEGL_TRANSPARENT_GREEN_VALUE = 0x3036;
    static constexpr int32_t jEGL_TRANSPARENT_RED_VALUE = 0x3037;
    static constexpr int32_t jEGL_TRANSPARENT_RGB = 0x3052;
    static constexpr int32_t jEGL_TRANSPARENT_TYPE = 0x3034;
    static constexpr int32_t jEGL_TRUE = 1;
    static constexpr int32_t jEGL_VENDOR = 0x3053;
    static constexpr int32_t jEGL_VERSION = 0x3054;
    static constexpr int32_t jEGL_WIDTH = 0x3057;
    static constexpr int32_t jEGL_WINDOW_BIT = 0x0004;

    // Made by jEGL10_staticInit at start-up, dropped by jEGL10_staticDestroy.
    static JavaPtr<java::lang::Object> jEGL_DEFAULT_DISPLAY;
    static Context jEGL_NO_CONTEXT;
    static Display jEGL_NO_DISPLAY;
    static Surface jEGL_NO_SURFACE;
    static void jEGL10_staticInit();
    static void jEGL10_staticDestroy();
};

}  // namespace javax::microedition::khronos::egl
