// The running process as the application sees it: memory figures and a collector that does nothing.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang {

class Runtime : public Object {
    JAVA_CLASS(Runtime, "java.lang.Runtime", Object)
public:
    static JavaPtr<Runtime> getRuntime();
    int64_t freeMemory();
    int64_t totalMemory();
    void gc() {}
};

}  // namespace java::lang
