// The root of the EGL interfaces; it declares nothing itself.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Smart.h"

namespace javax::microedition::khronos::egl {

class jEGL : public virtual java::lang::Smart {
    JAVA_CLASS(jEGL, "javax.microedition.khronos.egl.jEGL", java::lang::Smart)
};

}  // namespace javax::microedition::khronos::egl
