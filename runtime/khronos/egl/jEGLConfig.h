// The one configuration EGL hands out, differing only in its depth-buffer bits.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::egl {

class jEGLConfig : public java::lang::Object {
    JAVA_CLASS(jEGLConfig, "javax.microedition.khronos.egl.EGLConfig", java::lang::Object)
public:
    int32_t depthSize = 0;
};

}  // namespace javax::microedition::khronos::egl
