// The EGL context handle, and the way in: getEGL gives the EGL object, getGL the GL object.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::opengles { class GL; }

namespace javax::microedition::khronos::egl {

class jEGL;

class jEGLContext : public java::lang::Object {
    JAVA_CLASS(jEGLContext, "javax.microedition.khronos.egl.EGLContext", java::lang::Object)
public:
    // A new GL object on every call.
    virtual JavaPtr<opengles::GL> getGL();
    // A new EGL object on every call.
    static JavaPtr<jEGL> getEGL();

    void* handle = nullptr;
};

}  // namespace javax::microedition::khronos::egl
