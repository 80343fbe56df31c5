// An EGL display handle: compared by identity only.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::egl {

class jEGLDisplay : public java::lang::Object {
    JAVA_CLASS(jEGLDisplay, "javax.microedition.khronos.egl.EGLDisplay", java::lang::Object)
public:
    void* handle = nullptr;
};

}  // namespace javax::microedition::khronos::egl
