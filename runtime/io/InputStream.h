// The abstract byte source: subclasses supply read(), the rest has working defaults.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::io {

class InputStream : public java::lang::Object {
    JAVA_CLASS(InputStream, "java.io.InputStream", Object)
public:
    virtual int32_t available() { return 0; }
    virtual void close() {}
    virtual void mark(int32_t readLimit) {}
    virtual bool markSupported() { return false; }
    // The next byte as 0 to 255, or -1 at the end.
    virtual int32_t read() = 0;
    virtual int32_t read(const JavaPtr<JArray<signed char>>& b);
    // The count of bytes read, -1 at the end; 0 when len is 0.
    virtual int32_t read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len);
    // IOException unless the stream supports marks.
    virtual void reset();
    virtual int64_t skip(int64_t n);
};

}  // namespace java::io
