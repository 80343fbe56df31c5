// An EGL surface handle: compared by identity only.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::egl {

class jEGLSurface : public java::lang::Object {
    JAVA_CLASS(jEGLSurface, "javax.microedition.khronos.egl.EGLSurface", java::lang::Object)
public:
    void* handle = nullptr;
};

}  // namespace javax::microedition::khronos::egl
