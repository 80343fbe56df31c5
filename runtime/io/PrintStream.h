// Text output to a C stream; System::out and System::err are two of these.
#pragma once

#include <cstdio>

#include "runtime/io/OutputStream.h"

namespace java::lang { class String; }

namespace java::io {

class PrintStream : public OutputStream {
    JAVA_CLASS(PrintStream, "java.io.PrintStream", OutputStream)
public:
    explicit PrintStream(std::FILE* target) : m_target(target) {}

    // Text goes out as UTF-8; a null string prints "null".
    void print(const JavaPtr<java::lang::String>& text);
    void println(const JavaPtr<java::lang::String>& text);
    void println();

    // Flushes but leaves the C stream open: it is shared with the rest of the process.
    void close() override { flush(); }
    void flush() override;
    using OutputStream::write;
    void write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    void write(int32_t byte) override;

private:
    std::FILE* m_target;
};

}  // namespace java::io
