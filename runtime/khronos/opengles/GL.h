// The root of the GL interfaces a MIDlet draws through; it declares no operation itself.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Smart.h"

namespace java::lang { class String; }
namespace java::nio {
class Buffer;
class IntBuffer;
class FloatBuffer;
class ShortBuffer;
}  // namespace java::nio

namespace javax::microedition::khronos::opengles {

class GL : public virtual java::lang::Smart {
    JAVA_CLASS(GL, "javax.microedition.khronos.opengles.GL", java::lang::Smart)
};

}  // namespace javax::microedition::khronos::opengles
