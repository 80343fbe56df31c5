#include "runtime/io/PrintStream.h"

#include <string>

#include "runtime/text/String.h"

namespace java::io {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string utf8(const JavaPtr<java::lang::String>& text) {
    if (!text) return "null";
    std::string out;
    const std::u16string_view units = text->view();
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        appendUtf8(out, c);
    }
    return out;
}

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

}  // namespace java::io
