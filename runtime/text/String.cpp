#include "runtime/text/String.h"

#include <cstring>
#include <string>

#include "runtime/lang/Exceptions.h"

namespace java::lang {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes backslash-u-XXXX escapes; anything else is one unit per byte.
std::u16string decodeLiteral(const char* text) {
    std::u16string units;
    for (const char* c = text; *c;) {
        if (c[0] == '\\' && c[1] == 'u') {
            int value = 0;
            int i = 0;
            for (; i < 4; ++i) {
                int digit = hexValue(c[2 + i]);
                if (digit < 0) break;
                value = value * 16 + digit;
            }
            if (i == 4) {
                units.push_back(static_cast<char16_t>(value));
                c += 6;
                continue;
            }
        }
        units.push_back(static_cast<unsigned char>(*c++));
    }
    return units;
}

char16_t* copyUnits(const char16_t* units, int32_t count) {
    auto* block = new char16_t[static_cast<size_t>(count) + 1];
    if (count > 0) std::memcpy(block, units, static_cast<size_t>(count) * sizeof(char16_t));
    block[count] = 0;
    return block;
}

JavaPtr<String> concat(std::u16string_view left, std::u16string_view right) {
    const auto count = static_cast<int32_t>(left.size() + right.size());
    auto* block = new char16_t[static_cast<size_t>(count) + 1];
    std::memcpy(block, left.data(), left.size() * sizeof(char16_t));
    std::memcpy(block + left.size(), right.data(), right.size() * sizeof(char16_t));
    block[count] = 0;
    return String::adopt(block, count);
}

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

constexpr std::u16string_view nullText = u"null";

std::u16string_view viewOf(const JavaPtr<String>& s) { return s ? s->view() : nullText; }

}  // namespace

namespace detail {
JavaPtr<String, true> classNameString(const char* name) { return jnew<String>(name); }
}  // namespace detail

String::String() : m_units(copyUnits(nullptr, 0)), m_length(0) {}

String::String(const char* literal) {
    if (!literal) {
        m_units = copyUnits(nullText.data(), 4);
        m_length = 4;
        return;
    }
    const std::u16string units = decodeLiteral(literal);
    m_length = static_cast<int32_t>(units.size());
    m_units = copyUnits(units.data(), m_length);
    m_literal = true;
}

String::String(const char16_t* units, int32_t count)
    : m_units(copyUnits(units, count > 0 ? count : 0)), m_length(count > 0 ? count : 0) {}

String::String(const String& other) : Object(other), m_units(copyUnits(other.m_units, other.m_length)), m_length(other.m_length) {}

String::String(Adopt, char16_t* units, int32_t count) : m_units(units), m_length(count) {}

String::~String() {
    delete[] m_units;
    delete[] m_val;
}

JavaPtr<String> String::adopt(char16_t* units, int32_t count) { return JavaPtr<String>(new String(Adopt{}, units, count)); }

char16_t String::charAt(int32_t index) const {
    if (index < 0 || index >= m_length) throw StringIndexOutOfBoundsException();
    return m_units[index];
}

bool String::equals(JavaPtr<Object> other) { return equals(recastObj<String>(other)); }

bool String::equals(const JavaPtr<String>& other) { return other && view() == other->view(); }

int32_t String::hashCode() {
    if (m_hash == 0 && m_length > 0) {
        uint32_t hash = 0;
        for (int32_t i = 0; i < m_length; ++i) hash = hash * 31u + m_units[i];
        m_hash = static_cast<int32_t>(hash);
    }
    return m_hash;
}

bool String::operator==(const JavaPtr<String>& other) const {
    return other && m_literal && other->m_literal && view() == other->view();
}

const char* String::val() {
    delete[] m_val;
    m_val = new char[static_cast<size_t>(m_length) + 1];
    for (int32_t i = 0; i < m_length; ++i) m_val[i] = static_cast<char>(m_units[i] & 0xFF);
    m_val[m_length] = 0;
    return m_val;
}

JavaPtr<String> String::operator+(const JavaPtr<String>& other) const { return concat(view(), viewOf(other)); }
JavaPtr<String> String::operator+(const JavaPtr<Object>& other) const {
    return other ? concat(view(), viewOf(other->toString())) : concat(view(), nullText);
}
JavaPtr<String> String::operator+(const char* literal) const { return concat(view(), decodeLiteral(literal ? literal : "null")); }
JavaPtr<String> String::operator+(int32_t value) const { return concat(view(), decimal(value)); }
JavaPtr<String> String::operator+(long long value) const { return concat(view(), decimal(value)); }

JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<String>& right) { return concat(viewOf(left), viewOf(right)); }
JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<Object>& right) {
    return right ? concat(viewOf(left), viewOf(right->toString())) : concat(viewOf(left), nullText);
}
JavaPtr<String> operator+(const JavaPtr<String>& left, const char* right) {
    return concat(viewOf(left), decodeLiteral(right ? right : "null"));
}
JavaPtr<String> operator+(const JavaPtr<String>& left, int32_t right) { return concat(viewOf(left), decimal(right)); }
JavaPtr<String> operator+(const JavaPtr<String>& left, long long right) { return concat(viewOf(left), decimal(right)); }

}  // namespace java::lang
