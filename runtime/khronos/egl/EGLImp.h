// The EGL object: one display, one context and one configuration over the platform's GL view.
// Failures are reported through results and the error code that jeglGetError reads.
#pragma once

#include "runtime/khronos/egl/jEGL10.h"
#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::opengles { class GL; }

namespace javax::microedition::khronos::egl {

class EGLImp : public java::lang::Object, public virtual jEGL10 {
    JAVA_CLASS(EGLImp, "javax.microedition.khronos.egl.EGLImp", java::lang::Object, jEGL10)
public:
    // A new GL object on every call.
    virtual JavaPtr<opengles::GL> getGL();

    bool jeglChooseConfig(Display display, Ints attrib_list, JavaPtr<JArray<jEGLConfig>> configs,
                                  int32_t config_size, Ints num_config) override;
    bool jeglCopyBuffers(Display display, Surface surface, Native native_pixmap) override;
    Context jeglCreateContext(Display display, Config config, Context share_context, Ints attrib_list) override;
    Surface jeglCreatePbufferSurface(Display display, Config config, Ints attrib_list) override;
    Surface jeglCreatePixmapSurface(Display display, Config config, Native native_pixmap, Ints attrib_list) override;
    Surface jeglCreateWindowSurface(Display display, Config config, Native native_window, Ints attrib_list) override;
    bool jeglDestroyContext(Display display, Context context) override;
    bool jeglDestroySurface(Display display, Surface surface) override;
    bool jeglGetConfigAttrib(Display display, Config config, int32_t attribute, Ints value) override;
    bool jeglGetConfigs(Display display, JavaPtr<JArray<jEGLConfig>> configs, int32_t config_size,
                                Ints num_config) override;
    Context jeglGetCurrentContext() override;
    Display jeglGetCurrentDisplay() override;
    Surface jeglGetCurrentSurface(int32_t readdraw) override;
    Display jeglGetDisplay(Native native_display) override;
    int32_t jeglGetError() override;
    bool jeglInitialize(Display display, Ints major_minor) override;
    bool jeglMakeCurrent(Display display, Surface draw, Surface read, Context context) override;
    bool jeglQueryContext(Display display, Context context, int32_t attribute, Ints value) override;
    JavaPtr<java::lang::String> jeglQueryString(Display display, int32_t name) override;
    bool jeglQuerySurface(Display display, Surface surface, int32_t attribute, Ints value) override;
    bool jeglSwapBuffers(Display display, Surface surface) override;
    bool jeglTerminate(Display display) override;
    bool jeglWaitGL() override;
    bool jeglWaitNative(int32_t engine, Native bindTarget) override;
};

}  // namespace javax::microedition::khronos::egl
