#include "runtime/io/PrintStream.h"

#include <string>

#include "runtime/io/Utf8.h"
#include "runtime/lang/System.h"
#include "runtime/text/String.h"

namespace java::io {

namespace {

std::string utf8(const JavaPtr<java::lang::String>& text) { return text ? toUtf8(text->view()) : "null"; }

}  // namespace

void PrintStream::print(const JavaPtr<java::lang::String>& text) {
    const std::string bytes = utf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), m_target);
}

void PrintStream::println(const JavaPtr<java::lang::String>& text) {
    std::string bytes = utf8(text);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), m_target);
    std::fflush(m_target);
}

void PrintStream::println() {
    std::fputc('\n', m_target);
    std::fflush(m_target);
}

void PrintStream::flush() { std::fflush(m_target); }

void PrintStream::write(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    std::fwrite(b->data + off, 1, static_cast<size_t>(len), m_target);
}

void PrintStream::write(int32_t byte) { std::fputc(byte & 0xFF, m_target); }

}  // namespace java::io
