// The GL object MIDlets draw with: each operation checks what GL will read of its arguments and
// forwards to OpenGL ES in the view's context, which it takes first when another thread has it.
#pragma once

#include "runtime/khronos/opengles/GL10.h"
#include "runtime/khronos/opengles/GL11.h"
#include "runtime/khronos/opengles/GL11Ext.h"
#include "runtime/khronos/opengles/GL11ExtensionPack.h"
#include "runtime/lang/Object.h"

namespace javax::microedition::khronos::opengles {

class GLImp : public java::lang::Object,
              public virtual GL,
              public virtual GL10,
              public virtual GL11,
              public virtual GL11Ext,
              public virtual GL11ExtensionPack {
    JAVA_CLASS(GLImp, "javax.microedition.khronos.opengles.GLImp", java::lang::Object, GL10, GL11, GL11Ext,
               GL11ExtensionPack)
public:
#include "runtime/khronos/opengles/GLImpOperations.inc"
};

}  // namespace javax::microedition::khronos::opengles
