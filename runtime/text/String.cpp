#include "runtime/text/String.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Character.h"
#include "runtime/text/StringUtf8.h"

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

char16_t* allocateUnits(int32_t count) {
    auto* block = new char16_t[static_cast<size_t>(count) + 1];
    block[count] = 0;
    return block;
}

char16_t* copyUnits(const char16_t* units, int32_t count) {
    char16_t* block = allocateUnits(count);
    if (count > 0) std::memcpy(block, units, static_cast<size_t>(count) * sizeof(char16_t));
    return block;
}

JavaPtr<String> concat(std::u16string_view left, std::u16string_view right) {
    const auto count = static_cast<int32_t>(left.size() + right.size());
    char16_t* block = allocateUnits(count);
    std::memcpy(block, left.data(), left.size() * sizeof(char16_t));
    std::memcpy(block + left.size(), right.data(), right.size() * sizeof(char16_t));
    return String::adopt(block, count);
}

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

constexpr std::u16string_view nullText = u"null";

std::u16string_view viewOf(const JavaPtr<String>& s) { return s ? s->view() : nullText; }

// A range of an array or string that does not lie inside it is the caller's error.
void checkRange(int32_t size, int32_t offset, int32_t count) {
    if (offset < 0 || count < 0 || static_cast<int64_t>(offset) + count > size)
        throw StringIndexOutOfBoundsException();
}

bool namesUtf8(const JavaPtr<String>& encoding) {
    constexpr std::u16string_view utf8 = u"UTF-8";
    if (encoding->length() != static_cast<int32_t>(utf8.size())) return false;
    for (int32_t i = 0; i < encoding->length(); ++i)
        if (Character::toUpperCase(encoding->units()[i]) != utf8[i]) return false;
    return true;
}

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

String::String(const String& other)
    : Object(other), m_units(copyUnits(other.m_units, other.m_length)), m_length(other.m_length) {}

String::String(const JavaPtr<String>& other) : String(*other) {}

String::String(jchar unit) : String(&unit, 1) {}

String::String(int32_t value) {
    const std::u16string digits = decimal(value);
    m_length = static_cast<int32_t>(digits.size());
    m_units = copyUnits(digits.data(), m_length);
}

String::String(const JavaPtr<JArray<jchar>>& units) : String(units->data, units->length) {}

String::String(const JavaPtr<JArray<jchar>>& units, int32_t offset, int32_t count) : m_units(nullptr), m_length(0) {
    checkRange(units->length, offset, count);
    m_units = copyUnits(units->data + offset, count);
    m_length = count;
}

String::String(const JavaPtr<JArray<signed char>>& bytes, int32_t offset, int32_t length)
    : m_units(nullptr), m_length(0) {
    checkRange(bytes->length, offset, length);
    m_units = allocateUnits(length);
    for (int32_t i = 0; i < length; ++i) m_units[i] = static_cast<unsigned char>(bytes->data[offset + i]);
    m_length = length;
}

String::String(const JavaPtr<JArray<signed char>>& bytes, int32_t offset, int32_t length,
               const JavaPtr<String>& encoding)
    : m_units(nullptr), m_length(0) {
    checkRange(bytes->length, offset, length);
    if (!namesUtf8(encoding)) throw IllegalArgumentException(jnew<String>("unsupported encoding: ") + encoding);
    // Decoding never yields more units than bytes, so one block of that size is enough.
    m_units = allocateUnits(length);
    const auto* first = reinterpret_cast<const uint8_t*>(bytes->data + offset);
    m_length = detail::decodeUtf8({first, static_cast<size_t>(length)}, m_units);
    m_units[m_length] = 0;
}

String::String(Adopt, char16_t* units, int32_t count) : m_units(units), m_length(count) {}

String::~String() {
    delete[] m_units;
    delete[] m_val;
}

JavaPtr<String> String::adopt(char16_t* units, int32_t count) { return JavaPtr<String>(new String(Adopt{}, units, count)); }

JavaPtr<String> String::valueOf(int32_t value) { return jnew<String>(value); }

char16_t String::charAt(int32_t index) const {
    if (index < 0 || index >= m_length) throw StringIndexOutOfBoundsException();
    return m_units[index];
}

bool String::equals(JavaPtr<Object> other) { return equals(recastObj<String>(other)); }

bool String::equals(const JavaPtr<String>& other) { return other && view() == other->view(); }

bool String::equalsIgnoreCase(const JavaPtr<String>& other) const {
    if (!other || other->m_length != m_length) return false;
    for (int32_t i = 0; i < m_length; ++i) {
        const jchar a = m_units[i];
        const jchar b = other->m_units[i];
        if (a != b && Character::toUpperCase(a) != Character::toUpperCase(b) &&
            Character::toLowerCase(a) != Character::toLowerCase(b))
            return false;
    }
    return true;
}

int32_t String::compareTo(const JavaPtr<String>& other) const {
    const int32_t otherLength = other->m_length;
    const int32_t common = std::min(m_length, otherLength);
    for (int32_t i = 0; i < common; ++i)
        if (m_units[i] != other->m_units[i]) return m_units[i] - other->m_units[i];
    return m_length - otherLength;
}

int32_t String::hashCode() {
    int32_t hash = m_hash.load(std::memory_order_relaxed);
    if (hash == 0 && m_length > 0) {
        // Four units per step (31^2 = 961, 31^3 = 29791, 31^4 = 923521) shortens the chain of
        // dependent multiplications; wrapping 32-bit arithmetic gives the same sum either way.
        uint32_t sum = 0;
        int32_t i = 0;
        for (; i + 4 <= m_length; i += 4)
            sum = sum * 923521u + m_units[i] * 29791u + m_units[i + 1] * 961u + m_units[i + 2] * 31u + m_units[i + 3];
        for (; i < m_length; ++i) sum = sum * 31u + m_units[i];
        hash = static_cast<int32_t>(sum);
        m_hash.store(hash, std::memory_order_relaxed);
    }
    return hash;
}

int32_t String::indexOf(int32_t unit, int32_t from) const {
    if (unit < 0 || unit > 0xFFFF) return -1;
    for (int32_t i = std::max(from, 0); i < m_length; ++i)
        if (m_units[i] == unit) return i;
    return -1;
}

int32_t String::indexOf(const JavaPtr<String>& text) const {
    const size_t found = view().find(text->view());
    return found == std::u16string_view::npos ? -1 : static_cast<int32_t>(found);
}

int32_t String::lastIndexOf(int32_t unit) const {
    if (unit < 0 || unit > 0xFFFF) return -1;
    for (int32_t i = m_length - 1; i >= 0; --i)
        if (m_units[i] == unit) return i;
    return -1;
}

bool String::startsWith(const JavaPtr<String>& prefix) const {
    const std::u16string_view head = prefix->view();
    return m_length > 0 && view().substr(0, head.size()) == head;
}

JavaPtr<String> String::substring(int32_t begin, int32_t end) const {
    if (begin < 0 || end > m_length || end < begin) throw StringIndexOutOfBoundsException();
    return jnew<String>(m_units + begin, end - begin);
}

JavaPtr<String> String::replace(jchar oldUnit, jchar newUnit) const {
    char16_t* block = copyUnits(m_units, m_length);
    std::replace(block, block + m_length, oldUnit, newUnit);
    return adopt(block, m_length);
}

JavaPtr<JArray<jchar>> String::toCharArray() const {
    auto units = jnew<JArray<jchar>>(m_length);
    if (m_length > 0) std::memcpy(units->data, m_units, static_cast<size_t>(m_length) * sizeof(char16_t));
    return units;
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
JavaPtr<String> String::operator+(jchar unit) const { return concat(view(), std::u16string_view(&unit, 1)); }

JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<String>& right) { return concat(viewOf(left), viewOf(right)); }
JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<Object>& right) {
    return right ? concat(viewOf(left), viewOf(right->toString())) : concat(viewOf(left), nullText);
}
JavaPtr<String> operator+(const JavaPtr<String>& left, const char* right) {
    return concat(viewOf(left), decodeLiteral(right ? right : "null"));
}
JavaPtr<String> operator+(const JavaPtr<String>& left, int32_t right) { return concat(viewOf(left), decimal(right)); }
JavaPtr<String> operator+(const JavaPtr<String>& left, long long right) { return concat(viewOf(left), decimal(right)); }
JavaPtr<String> operator+(const JavaPtr<String>& left, jchar right) { return concat(viewOf(left), std::u16string_view(&right, 1)); }

JavaPtr<String>& operator+=(JavaPtr<String>& left, const JavaPtr<String>& right) {
    left = left + right;
    return left;
}

}  // namespace java::lang
