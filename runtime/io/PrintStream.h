// Text output to a C stream; System::out and System::err are two of these.
#pragma once

#include <cstdio>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace java::io {

class PrintStream : public java::lang::Object {
    JAVA_CLASS(PrintStream, "java.io.PrintStream", Object)
public:
    explicit PrintStream(std::FILE* target) : m_target(target) {}

    // Text goes out as UTF-8; a null string prints "null".
    void print(const JavaPtr<java::lang::String>& text);
    void println(const JavaPtr<java::lang::String>& text);
    void println();
    void flush();

private:
    std::FILE* m_target;
};

}  // namespace java::io
