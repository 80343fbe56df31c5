// The abstract byte sink: subclasses supply write(int), the rest has working defaults.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::io {

class OutputStream : public java::lang::Object {
    JAVA_CLASS(OutputStream, "java.io.OutputStream", Object)
public:
    virtual void close() {}
    virtual void flush() {}
    virtual void write(const JavaPtr<JArray<signed char>>& b);
    virtual void write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len);
    // Writes the low 8 bits.
    virtual void write(int32_t byte) = 0;
};

}  // namespace java::io
